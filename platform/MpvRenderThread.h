#pragma once

#include <QImage>
#include <QSize>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

struct mpv_render_context;

namespace platform {

// Renders libmpv's picture with the software renderer on a thread of its own.
// libmpv's video output waits for the application to render each frame; doing
// that on the GUI thread while the GUI thread waits for an open or a seek
// stalls both, so only this thread ever calls mpv_render_context_update and
// mpv_render_context_render. Each finished picture is kept under a mutex and
// announced through `frameReady`, which runs on this thread and must only post
// to the GUI thread.
class MpvRenderThread {
 public:
  MpvRenderThread(mpv_render_context* context, std::function<void()> frameReady);
  // Clears the context's update callback and joins the thread; the caller
  // frees the context afterwards.
  ~MpvRenderThread();
  MpvRenderThread(const MpvRenderThread&) = delete;
  MpvRenderThread& operator=(const MpvRenderThread&) = delete;

  // Size of the pictures to render from now on; renders the current frame
  // again at that size. Any thread.
  void SetTargetSize(QSize size);
  // The last rendered picture; null after Clear. Any thread.
  QImage Frame() const;
  void Clear();

 private:
  void Run();
  void Wake(bool redraw);

  mpv_render_context* context_;
  std::function<void()> frameReady_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool update_ = false;
  bool redraw_ = false;
  bool stop_ = false;
  QSize target_;
  QImage frame_;
  std::thread thread_;
};

}  // namespace platform
