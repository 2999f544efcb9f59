#pragma once

#include <QLoggingCategory>
#include <QMetaObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <memory>
#include <stdexcept>

#include "platform/MediaDevice.h"

namespace cliploom {

// The player's debug lines about each open.
Q_DECLARE_LOGGING_CATEGORY(lcZoMediaPlayer)

// A failed open, or a command given while no device is open.
class EMCIDeviceError : public std::runtime_error {
 public:
  explicit EMCIDeviceError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

enum TMPDeviceTypes {
  dtAutoSelect,
  dtAVIVideo,
  dtCDAudio,
  dtDAT,
  dtDigitalVideo,
  dtMMMovie,
  dtMpegVideo,
  dtOther,
  dtOverlay,
  dtScanner,
  dtSequencer,
  dtVCR,
  dtVideodisc,
  dtWaveAudio,
};

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

enum TMPTimeFormats { tfMilliseconds = 0, tfTMSF = 10 };

// Drives one media device: opens the file named by FileName, plays, stops,
// seeks and reports position, length and mode, and sends the picture to the
// Display widget at DisplayRect. Only Open and the commands that need an open
// device throw (EMCIDeviceError); every other failure is silent and leaves
// its code in Error. Positions and lengths are milliseconds.
class TZoMediaPlayer : public QObject {
  Q_OBJECT

 public:
  explicit TZoMediaPlayer(std::unique_ptr<platform::MediaDevice> device, QObject* parent = nullptr);
  ~TZoMediaPlayer() override;

  QString FileName() const { return fileName_; }
  void SetFileName(const QString& fileName) { fileName_ = fileName; }
  TMPDeviceTypes DeviceType() const { return deviceType_; }
  void SetDeviceType(TMPDeviceTypes type) { deviceType_ = type; }
  bool AutoRewind() const { return autoRewind_; }
  void SetAutoRewind(bool on) { autoRewind_ = on; }
  TMPTimeFormats TimeFormat() const { return timeFormat_; }
  void SetTimeFormat(TMPTimeFormats format) { timeFormat_ = format; }

  // Closes any open device first, then opens FileName.
  void Open();
  void Close();
  void Play();
  void Stop();

  int Position() const;
  // A seek: the device is left stopped at the new position.
  void SetPosition(int position);
  int Length() const;
  TMPModes Mode() const;

  QWidget* Display() const { return display_; }
  // Attaches at once when a video is open; otherwise remembered for Open.
  void SetDisplay(QWidget* display);
  // Left, top, width, height of the picture inside the display; empty when
  // no video is open.
  QRect DisplayRect() const;
  // A rectangle of width and height 0 keeps the picture's own size.
  void SetDisplayRect(const QRect& rect);

  int Error() const { return error_; }
  QString ErrorMessage() const;

 private:
  void CheckIfOpen() const;

  std::unique_ptr<platform::MediaDevice> device_;
  QString fileName_;
  TMPDeviceTypes deviceType_ = dtAutoSelect;
  bool autoRewind_ = true;
  TMPTimeFormats timeFormat_ = tfMilliseconds;
  QPointer<QWidget> display_;
  QMetaObject::Connection displayGone_;
  bool open_ = false;
  bool hasVideo_ = false;
  int error_ = 0;
  int dWidth_ = 0;
  int dHeight_ = 0;
};

// The device type's name as the player reports it when opening ("MPEGVideo").
QString DeviceTypeName(TMPDeviceTypes type);

}  // namespace cliploom
