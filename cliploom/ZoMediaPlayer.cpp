#include "cliploom/ZoMediaPlayer.h"

namespace cliploom {

Q_LOGGING_CATEGORY(lcZoMediaPlayer, "cliploom.mediaplayer")

QString DeviceTypeName(TMPDeviceTypes type) {
  static const char* const kNames[] = {
      "",      "AVIVideo", "CDAudio", "DAT",       "DigitalVideo", "MMMovie",   "MPEGVideo",
      "Other", "Overlay",  "Scanner", "Sequencer", "VCR",          "Videodisc", "WaveAudio",
  };
  return QString::fromLatin1(kNames[type]);
}

TZoMediaPlayer::TZoMediaPlayer(std::unique_ptr<platform::MediaDevice> device, QObject* parent)
    : QObject(parent), device_(std::move(device)) {}

TZoMediaPlayer::~TZoMediaPlayer() {
  disconnect(displayGone_);
  if (open_) device_->Close();
}

void TZoMediaPlayer::Open() {
  Close();
  qCDebug(lcZoMediaPlayer).noquote() << "DeviceName:" + DeviceTypeName(deviceType_);
  qCDebug(lcZoMediaPlayer).noquote() << "lpstrElementName:" + fileName_;
  error_ = device_->Open(fileName_);
  qCDebug(lcZoMediaPlayer).noquote() << ErrorMessage();
  if (error_ != 0) throw EMCIDeviceError(ErrorMessage());

  open_ = true;
  hasVideo_ = device_->HasVideo();
  const QSize source = device_->SourceSize();
  dWidth_ = source.width();
  dHeight_ = source.height();
  if (hasVideo_) {
    SetDisplay(display_);
    const QRect rect = DisplayRect();
    dWidth_ = rect.width();
    dHeight_ = rect.height();
  }
  if (deviceType_ == dtCDAudio || deviceType_ == dtVideodisc) timeFormat_ = tfTMSF;
}

void TZoMediaPlayer::Close() {
  if (!open_) return;
  error_ = device_->Close();
  open_ = device_->IsOpen();
  if (!open_) hasVideo_ = false;
}

void TZoMediaPlayer::Play() {
  CheckIfOpen();
  if (autoRewind_ && device_->AtEnd()) error_ = device_->Seek(0);
  error_ = device_->Play();
}

void TZoMediaPlayer::Stop() {
  CheckIfOpen();
  error_ = device_->Stop();
}

int TZoMediaPlayer::Position() const { return open_ ? device_->Position().value_or(0) : 0; }

void TZoMediaPlayer::SetPosition(int position) {
  CheckIfOpen();
  error_ = device_->Seek(position);
}

int TZoMediaPlayer::Length() const {
  CheckIfOpen();
  return device_->Length().value_or(0);
}

TMPModes TZoMediaPlayer::Mode() const {
  if (!open_) return mpNotReady;
  const std::optional<platform::MediaMode> mode = device_->Mode();
  if (!mode) return mpNotReady;
  return *mode == platform::MediaMode::Playing ? mpPlaying : mpStopped;
}

void TZoMediaPlayer::SetDisplay(QWidget* display) {
  disconnect(displayGone_);
  display_ = display;
  if (display && open_ && hasVideo_) {
    error_ = device_->AttachDisplay(display);
    if (error_ != 0) {
      display_ = nullptr;
      return;
    }
  }
  if (display) {
    // A display that goes away while open hands the picture back.
    displayGone_ = connect(display, &QObject::destroyed, this, [this] {
      if (open_) device_->AttachDisplay(nullptr);
      display_ = nullptr;
    });
  }
}

QRect TZoMediaPlayer::DisplayRect() const {
  return open_ && hasVideo_ ? device_->Destination() : QRect();
}

void TZoMediaPlayer::SetDisplayRect(const QRect& rect) {
  if (!open_ || !hasVideo_) return;
  const QRect target = rect.width() == 0 && rect.height() == 0
                           ? QRect(rect.left(), rect.top(), dWidth_, dHeight_)
                           : rect;
  error_ = device_->SetDestination(target);
}

QString TZoMediaPlayer::ErrorMessage() const {
  const QString text = device_->ErrorText(error_);
  return text.isEmpty() ? QStringLiteral("原因不明のエラー") : text;
}

void TZoMediaPlayer::CheckIfOpen() const {
  if (!open_) throw EMCIDeviceError(QStringLiteral("MCI デバイスがありません"));
}

}  // namespace cliploom
