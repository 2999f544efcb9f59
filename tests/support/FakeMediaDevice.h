#pragma once

#include <QStringList>

#include "platform/MediaDevice.h"

namespace testing_support {

// A media device under the test's control: it records every command as a
// line ("Open /a.mpg", "Seek 0", "Play" ...) and answers from fields the test
// sets. Opening succeeds unless `openError` is set.
class FakeMediaDevice final : public platform::MediaDevice {
 public:
  struct State {
    QStringList calls;
    int openError = 0;
    QString errorText = QStringLiteral("fake error");
    bool open = false;
    bool atEnd = false;
    bool playing = false;
    int position = 0;
    int length = 10000;
    QSize source{640, 480};
    QRect destination;
    QWidget* display = nullptr;
  };

  // The state lives with the test, so that it outlives the player that owns
  // the device.
  explicit FakeMediaDevice(State& state) : s_(state) {}

  int Open(const QString& path) override {
    s_.calls << "Open " + path;
    if (s_.openError != 0) return s_.openError;
    s_.open = true;
    s_.destination = QRect(QPoint(0, 0), s_.source);
    return 0;
  }
  int Close() override {
    s_.calls << "Close";
    s_.open = false;
    return 0;
  }
  bool IsOpen() const override { return s_.open; }
  int Play() override {
    s_.calls << "Play";
    s_.playing = true;
    return 0;
  }
  int Stop() override {
    s_.calls << "Stop";
    s_.playing = false;
    return 0;
  }
  int Seek(int ms) override {
    s_.calls << "Seek " + QString::number(ms);
    s_.position = ms;
    s_.atEnd = false;
    s_.playing = false;
    return 0;
  }
  std::optional<int> Position() const override {
    return s_.open ? std::optional(s_.position) : std::nullopt;
  }
  std::optional<int> Length() const override {
    return s_.open ? std::optional(s_.length) : std::nullopt;
  }
  std::optional<platform::MediaMode> Mode() const override {
    if (!s_.open) return std::nullopt;
    return s_.playing ? platform::MediaMode::Playing : platform::MediaMode::Stopped;
  }
  bool AtEnd() const override { return s_.atEnd; }
  bool HasVideo() const override { return s_.open && !s_.source.isEmpty(); }
  QSize SourceSize() const override { return s_.source; }
  QRect Destination() const override { return s_.destination; }
  int SetDestination(const QRect& rect) override {
    s_.calls << QStringLiteral("Destination %1,%2 %3x%4")
                    .arg(rect.left())
                    .arg(rect.top())
                    .arg(rect.width())
                    .arg(rect.height());
    s_.destination = rect;
    return 0;
  }
  int AttachDisplay(QWidget* display) override {
    s_.calls << (display ? "Attach" : "Detach");
    s_.display = display;
    return 0;
  }
  QString ErrorText(int code) const override { return code == 0 ? "done" : s_.errorText; }

 private:
  State& s_;
};

}  // namespace testing_support
