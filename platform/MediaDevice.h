#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

namespace platform {

// What a media device is doing while a file is open.
enum class MediaMode { Stopped, Playing };

// One media file at a time: open, play, stop, seek and report, with the
// picture drawn into a display widget at a destination rectangle. Every
// command returns 0 on success or an error code that ErrorText explains.
// Positions and lengths are whole milliseconds. All calls come from the GUI
// thread and return when the command is done.
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;

  // Opens `path` stopped at its first frame, replacing any open file. Fails
  // within a bounded time when the file cannot be played.
  virtual int Open(const QString& path) = 0;
  virtual int Close() = 0;
  virtual bool IsOpen() const = 0;

  virtual int Play() = 0;
  virtual int Stop() = 0;
  // Leaves the device stopped on the first frame at or after `ms`.
  virtual int Seek(int ms) = 0;

  // Status queries answer nothing when no file is open.
  virtual std::optional<int> Position() const = 0;
  virtual std::optional<int> Length() const = 0;
  virtual std::optional<MediaMode> Mode() const = 0;
  // True once playback has reached the end of the file.
  virtual bool AtEnd() const = 0;

  virtual bool HasVideo() const = 0;
  virtual QSize SourceSize() const = 0;
  // Where the picture goes inside the display, as left, top, width, height.
  virtual QRect Destination() const = 0;
  virtual int SetDestination(const QRect& rect) = 0;
  // Draws the picture into `display` from now on; nullptr detaches.
  virtual int AttachDisplay(QWidget* display) = 0;

  // The text for a code returned above; empty when the device has none.
  virtual QString ErrorText(int code) const = 0;
};

}  // namespace platform
