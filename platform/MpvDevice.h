#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "platform/MediaDevice.h"

struct mpv_handle;
struct mpv_render_context;
struct mpv_event;

namespace platform {

class MpvRenderThread;

// The media device on libmpv: exact seeks, whole-millisecond positions, and
// the picture rendered in software and painted into the display widget at
// the destination rectangle, black around it. libmpv is driven from the GUI
// thread only; its wakeup callback merely posts to the GUI thread.
class MpvDevice final : public QObject, public MediaDevice {
  Q_OBJECT

 public:
  struct Options {
    // Off: no sound at all (tests, benchmarks).
    bool audio = true;
  };

  explicit MpvDevice(Options options, QObject* parent = nullptr);
  MpvDevice() : MpvDevice(Options{}) {}
  ~MpvDevice() override;

  int Open(const QString& path) override;
  int Close() override;
  bool IsOpen() const override { return open_; }
  int Play() override;
  int Stop() override;
  int Seek(int ms) override;
  std::optional<int> Position() const override;
  std::optional<int> Length() const override;
  std::optional<MediaMode> Mode() const override;
  bool AtEnd() const override;
  bool HasVideo() const override { return open_ && !source_.isEmpty(); }
  QSize SourceSize() const override { return open_ ? source_ : QSize(); }
  QRect Destination() const override { return destination_; }
  int SetDestination(const QRect& rect) override;
  int AttachDisplay(QWidget* display) override;
  QString ErrorText(int code) const override;

  // Codes of our own, beside libmpv's negative ones.
  enum Error {
    kNoEngine = 1,
    kNotAFile = 2,
    kTimedOut = 3,
    kNotOpen = 4,
  };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void DrainEvents();
  // Reads events until `done` accepts one or `timeoutMs` passes.
  bool WaitFor(const std::function<bool(const mpv_event&)>& done, int timeoutMs);
  int SeekExact(int ms);
  // Unloads the file (and anything it redirected to).
  int StopFile(bool waitForEnd);
  double DoubleProperty(const char* name) const;
  void RepaintDisplay();

  mpv_handle* mpv_ = nullptr;
  mpv_render_context* render_ = nullptr;
  std::unique_ptr<MpvRenderThread> renderThread_;
  QPointer<QWidget> display_;
  bool open_ = false;
  long long entryId_ = 0;
  QSize source_;
  QRect destination_;
  int lengthMs_ = 0;
  double frameMs_ = 40.0;
  bool programStream_ = false;
  double demuxerOffset_ = 0.0;
};

}  // namespace platform
