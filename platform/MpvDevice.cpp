#include "platform/MpvDevice.h"

#include <mpv/client.h>
#include <mpv/render.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <clocale>
#include <cmath>

#include "platform/MpvRenderThread.h"

namespace platform {
namespace {

constexpr int kOpenTimeoutMs = 10000;
constexpr int kSeekTimeoutMs = 5000;
constexpr int kCloseTimeoutMs = 2000;
// After a seek onto the end, keep-open seeks once more by itself a few
// milliseconds later; this is how long we give it.
constexpr int kEndSettleMs = 200;

// MPEG program streams land on the next keyframe unless the demuxer starts
// reading at least one keyframe interval before the target. Start with the
// first, and move on to the next whenever a seek still lands late.
constexpr double kProgramStreamOffsets[] = {1.0, 2.5, 5.0, 10.0};

long long EntryIdOf(const mpv_node& result) {
  if (result.format != MPV_FORMAT_NODE_MAP) return -1;
  const mpv_node_list* map = result.u.list;
  for (int i = 0; i < map->num; ++i) {
    if (qstrcmp(map->keys[i], "playlist_entry_id") == 0 &&
        map->values[i].format == MPV_FORMAT_INT64) {
      return map->values[i].u.int64;
    }
  }
  return -1;
}

}  // namespace

MpvDevice::MpvDevice(Options options, QObject* parent) : QObject(parent) {
  // libmpv refuses to start under a locale whose decimal separator is not ".".
  std::setlocale(LC_NUMERIC, "C");
  mpv_ = mpv_create();
  if (!mpv_) return;

  const std::pair<const char*, const char*> settings[] = {
      {"config", "no"},
      {"terminal", "no"},
      {"vo", "libmpv"},
      {"ao", options.audio ? "" : "null"},
      {"idle", "yes"},
      {"keep-open", "yes"},
      {"pause", "yes"},
      {"hr-seek", "yes"},
      {"osd-level", "0"},
      {"osc", "no"},
      {"input-default-bindings", "no"},
      {"load-scripts", "no"},
      {"ytdl", "no"},
      {"hwdec", "no"},
      {"sub-auto", "no"},
      {"audio-file-auto", "no"},
      {"audio-display", "no"},
  };
  for (const auto& [name, value] : settings) {
    if (*value) mpv_set_option_string(mpv_, name, value);
  }
  if (mpv_initialize(mpv_) < 0) {
    mpv_terminate_destroy(mpv_);
    mpv_ = nullptr;
    return;
  }

  char apiType[] = MPV_RENDER_API_TYPE_SW;
  mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, apiType},
                               {MPV_RENDER_PARAM_INVALID, nullptr}};
  if (mpv_render_context_create(&render_, mpv_, params) < 0) {
    render_ = nullptr;
    mpv_terminate_destroy(mpv_);
    mpv_ = nullptr;
    return;
  }
  renderThread_ = std::make_unique<MpvRenderThread>(render_, [this] {
    QMetaObject::invokeMethod(this, &MpvDevice::RepaintDisplay, Qt::QueuedConnection);
  });
  // Its changes wake WaitFor, which reads the flag itself.
  mpv_observe_property(mpv_, 0, "eof-reached", MPV_FORMAT_NONE);
  mpv_set_wakeup_callback(
      mpv_,
      [](void* self) {
        QMetaObject::invokeMethod(static_cast<MpvDevice*>(self), &MpvDevice::DrainEvents,
                                  Qt::QueuedConnection);
      },
      this);
}

MpvDevice::~MpvDevice() {
  if (display_) display_->removeEventFilter(this);
  if (mpv_) mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
  renderThread_.reset();
  if (render_) mpv_render_context_free(render_);
  if (mpv_) mpv_terminate_destroy(mpv_);
}

int MpvDevice::Open(const QString& path) {
  if (!mpv_) return kNoEngine;
  Close();
  // Only regular files: libmpv would read a folder as a playlist of its files.
  const QFileInfo info(path);
  if (!info.isFile()) return kNotAFile;

  DrainEvents();
  const QByteArray file = info.absoluteFilePath().toUtf8();
  const char* args[] = {"loadfile", file.constData(), "replace", nullptr};
  mpv_node result{};
  if (const int rc = mpv_command_ret(mpv_, args, &result); rc < 0) return rc;
  entryId_ = EntryIdOf(result);
  mpv_free_node_contents(&result);

  int failure = 0;
  bool loaded = false;
  bool ended = false;
  const bool answered = WaitFor(
      [&](const mpv_event& event) {
        switch (event.event_id) {
          case MPV_EVENT_FILE_LOADED:
            loaded = true;
            return false;
          case MPV_EVENT_PLAYBACK_RESTART:
            return loaded;
          case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event.data);
            if (end->playlist_entry_id != entryId_) return false;
            ended = true;
            // A redirect (a playlist or a folder) is no media file either.
            failure = end->reason == MPV_END_FILE_REASON_ERROR && end->error < 0
                          ? end->error
                          : MPV_ERROR_UNKNOWN_FORMAT;
            return true;
          }
          default:
            return false;
        }
      },
      kOpenTimeoutMs);
  if (!answered) failure = kTimedOut;
  if (failure != 0) {
    StopFile(!ended);
    return failure;
  }

  open_ = true;
  const double duration = DoubleProperty("duration");
  lengthMs_ = std::isfinite(duration) ? static_cast<int>(std::lround(duration * 1000)) : 0;
  int64_t width = 0;
  int64_t height = 0;
  if (mpv_get_property(mpv_, "width", MPV_FORMAT_INT64, &width) < 0 ||
      mpv_get_property(mpv_, "height", MPV_FORMAT_INT64, &height) < 0) {
    width = height = 0;
  }
  source_ = QSize(static_cast<int>(width), static_cast<int>(height));
  const double fps = DoubleProperty("container-fps");
  frameMs_ = std::isfinite(fps) && fps > 0 ? 1000.0 / fps : 40.0;

  char* format = mpv_get_property_string(mpv_, "file-format");
  programStream_ = format && QByteArray(format).startsWith("mpeg");
  mpv_free(format);
  demuxerOffset_ = programStream_ ? kProgramStreamOffsets[0] : 0.0;
  mpv_set_property(mpv_, "hr-seek-demuxer-offset", MPV_FORMAT_DOUBLE, &demuxerOffset_);

  destination_ = HasVideo() ? QRect(QPoint(0, 0), source_) : QRect();
  renderThread_->SetTargetSize(destination_.size());
  RepaintDisplay();
  return 0;
}

int MpvDevice::Close() {
  if (!open_) return 0;
  open_ = false;
  source_ = QSize();
  destination_ = QRect();
  lengthMs_ = 0;
  const int rc = StopFile(true);
  renderThread_->Clear();
  RepaintDisplay();
  return rc;
}

int MpvDevice::StopFile(bool waitForEnd) {
  DrainEvents();
  const char* args[] = {"stop", nullptr};
  if (const int rc = mpv_command(mpv_, args); rc < 0) return rc;
  if (!waitForEnd) return 0;
  const long long id = entryId_;
  const bool ended = WaitFor(
      [id](const mpv_event& event) {
        return event.event_id == MPV_EVENT_END_FILE &&
               static_cast<const mpv_event_end_file*>(event.data)->playlist_entry_id == id;
      },
      kCloseTimeoutMs);
  return ended ? 0 : kTimedOut;
}

int MpvDevice::Play() {
  if (!open_) return kNotOpen;
  return mpv_set_property_string(mpv_, "pause", "no");
}

int MpvDevice::Stop() {
  if (!open_) return kNotOpen;
  return mpv_set_property_string(mpv_, "pause", "yes");
}

int MpvDevice::Seek(int ms) {
  if (!open_) return kNotOpen;
  // Beyond the length an MPEG program stream would land somewhere in the middle.
  ms = std::clamp(ms, 0, lengthMs_);
  if (const int rc = Stop(); rc < 0) return rc;
  int rc = SeekExact(ms);
  if (programStream_) {
    for (const double offset : kProgramStreamOffsets) {
      const std::optional<int> landed = Position();
      if (rc != 0 || !landed || *landed - ms <= 1.5 * frameMs_) break;
      if (offset <= demuxerOffset_) continue;
      demuxerOffset_ = offset;
      mpv_set_property(mpv_, "hr-seek-demuxer-offset", MPV_FORMAT_DOUBLE, &demuxerOffset_);
      rc = SeekExact(ms);
    }
  }
  // Past the last frame, keep-open seeks back onto it by itself and only then
  // reports the end: wait for that, so that the next Play sees the end.
  if (rc == 0 && ms > lengthMs_ - frameMs_) {
    WaitFor([this](const mpv_event&) { return AtEnd(); }, kEndSettleMs);
  }
  return rc;
}

int MpvDevice::SeekExact(int ms) {
  // A leftover PLAYBACK_RESTART would make this seek look finished at once.
  DrainEvents();
  const QByteArray target = QByteArray::number(ms / 1000.0, 'f', 3);
  const char* args[] = {"seek", target.constData(), "absolute+exact", nullptr};
  if (const int rc = mpv_command(mpv_, args); rc < 0) return rc;
  bool started = false;
  int failure = 0;
  const long long id = entryId_;
  const bool done = WaitFor(
      [&](const mpv_event& event) {
        if (event.event_id == MPV_EVENT_SEEK) started = true;
        if (event.event_id == MPV_EVENT_PLAYBACK_RESTART) return started;
        if (event.event_id == MPV_EVENT_END_FILE &&
            static_cast<const mpv_event_end_file*>(event.data)->playlist_entry_id == id) {
          failure = MPV_ERROR_LOADING_FAILED;
          return true;
        }
        return false;
      },
      kSeekTimeoutMs);
  return done ? failure : kTimedOut;
}

std::optional<int> MpvDevice::Position() const {
  if (!open_) return std::nullopt;
  const double seconds = DoubleProperty("time-pos");
  if (!std::isfinite(seconds)) return std::nullopt;
  return static_cast<int>(std::lround(seconds * 1000));
}

std::optional<int> MpvDevice::Length() const {
  if (!open_) return std::nullopt;
  return lengthMs_;
}

std::optional<MediaMode> MpvDevice::Mode() const {
  if (!open_) return std::nullopt;
  int paused = 1;
  mpv_get_property(mpv_, "pause", MPV_FORMAT_FLAG, &paused);
  return paused || AtEnd() ? MediaMode::Stopped : MediaMode::Playing;
}

bool MpvDevice::AtEnd() const {
  if (!open_) return false;
  int eof = 0;
  mpv_get_property(mpv_, "eof-reached", MPV_FORMAT_FLAG, &eof);
  return eof != 0;
}

int MpvDevice::SetDestination(const QRect& rect) {
  if (!HasVideo()) return kNotOpen;
  destination_ = rect;
  renderThread_->SetTargetSize(rect.size());
  RepaintDisplay();
  return 0;
}

int MpvDevice::AttachDisplay(QWidget* display) {
  if (display_) {
    display_->removeEventFilter(this);
    display_->update();
  }
  display_ = display;
  if (display_) {
    display_->installEventFilter(this);
    display_->update();
  }
  return 0;
}

QString MpvDevice::ErrorText(int code) const {
  switch (code) {
    case kNoEngine:
      return QStringLiteral("the media engine could not be started");
    case kNotAFile:
      return QStringLiteral("not a regular file");
    case kTimedOut:
      return QStringLiteral("the media engine did not answer in time");
    case kNotOpen:
      return QStringLiteral("no media file is open");
    default:
      return QString::fromUtf8(mpv_error_string(code));
  }
}

bool MpvDevice::eventFilter(QObject* watched, QEvent* event) {
  if (watched != display_ || event->type() != QEvent::Paint) {
    return QObject::eventFilter(watched, event);
  }
  QPainter painter(display_);
  painter.fillRect(display_->rect(), Qt::black);
  if (HasVideo()) {
    const QImage frame = renderThread_->Frame();
    if (!frame.isNull()) painter.drawImage(destination_, frame);
  }
  return true;
}

void MpvDevice::DrainEvents() {
  if (!mpv_) return;
  while (mpv_wait_event(mpv_, 0)->event_id != MPV_EVENT_NONE) {
  }
}

bool MpvDevice::WaitFor(const std::function<bool(const mpv_event&)>& done, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!deadline.hasExpired()) {
    const mpv_event* event = mpv_wait_event(mpv_, deadline.remainingTime() / 1000.0);
    if (event->event_id != MPV_EVENT_NONE && done(*event)) return true;
  }
  return false;
}

double MpvDevice::DoubleProperty(const char* name) const {
  double value = 0;
  if (mpv_get_property(mpv_, name, MPV_FORMAT_DOUBLE, &value) < 0) return std::nan("");
  return value;
}

void MpvDevice::RepaintDisplay() {
  if (display_) display_->update();
}

}  // namespace platform
