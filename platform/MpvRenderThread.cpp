#include "platform/MpvRenderThread.h"

#include <mpv/render.h>

namespace platform {

MpvRenderThread::MpvRenderThread(mpv_render_context* context, std::function<void()> frameReady)
    : context_(context), frameReady_(std::move(frameReady)), target_(64, 48) {
  mpv_render_context_set_update_callback(
      context_, [](void* self) { static_cast<MpvRenderThread*>(self)->Wake(false); }, this);
  thread_ = std::thread([this] { Run(); });
}

MpvRenderThread::~MpvRenderThread() {
  mpv_render_context_set_update_callback(context_, nullptr, nullptr);
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void MpvRenderThread::SetTargetSize(QSize size) {
  {
    std::lock_guard lock(mutex_);
    target_ = size.isEmpty() ? QSize(64, 48) : size;
  }
  Wake(true);
}

QImage MpvRenderThread::Frame() const {
  std::lock_guard lock(mutex_);
  return frame_;
}

void MpvRenderThread::Clear() {
  std::lock_guard lock(mutex_);
  frame_ = QImage();
}

void MpvRenderThread::Wake(bool redraw) {
  {
    std::lock_guard lock(mutex_);
    (redraw ? redraw_ : update_) = true;
  }
  wake_.notify_one();
}

void MpvRenderThread::Run() {
  for (;;) {
    bool update = false;
    bool redraw = false;
    QSize size;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stop_ || update_ || redraw_; });
      if (stop_) return;
      std::swap(update, update_);
      std::swap(redraw, redraw_);
      size = target_;
    }
    const bool newFrame =
        update && (mpv_render_context_update(context_) & MPV_RENDER_UPDATE_FRAME) != 0;
    if (!newFrame && !redraw) continue;

    QImage image(size, QImage::Format_RGB32);
    int sizeParam[2] = {size.width(), size.height()};
    char format[] = "bgr0";
    size_t stride = static_cast<size_t>(image.bytesPerLine());
    int block = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, sizeParam},
        {MPV_RENDER_PARAM_SW_FORMAT, format},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
        {MPV_RENDER_PARAM_SW_POINTER, image.bits()},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_render(context_, params) < 0) continue;
    {
      std::lock_guard lock(mutex_);
      frame_ = std::move(image);
    }
    frameReady_();
  }
}

}  // namespace platform
