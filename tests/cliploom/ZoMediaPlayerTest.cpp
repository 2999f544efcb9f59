#include "cliploom/ZoMediaPlayer.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "tests/support/FakeMediaDevice.h"

namespace {

using cliploom::EMCIDeviceError;
using cliploom::TZoMediaPlayer;
using testing_support::FakeMediaDevice;

class ZoMediaPlayerLogic : public ::testing::Test {
 protected:
  FakeMediaDevice::State device;
  TZoMediaPlayer player{std::make_unique<FakeMediaDevice>(device)};

  void OpenFile(const QString& name = "/clips/a.mpg") {
    player.SetFileName(name);
    player.Open();
    device.calls.clear();
  }
};

QString ThrownText(const std::function<void()>& action) {
  try {
    action();
  } catch (const EMCIDeviceError& error) {
    return error.Message();
  }
  return QString();
}

TEST_F(ZoMediaPlayerLogic, ClosedPlayerReadsZeroAndRefusesCommands) {
  EXPECT_EQ(player.Position(), 0);
  EXPECT_EQ(player.Mode(), cliploom::mpNotReady);
  EXPECT_TRUE(player.DisplayRect().isNull());
  const QString noDevice = QStringLiteral("MCI デバイスがありません");
  EXPECT_EQ(ThrownText([&] { player.Stop(); }), noDevice);
  EXPECT_EQ(ThrownText([&] { player.Play(); }), noDevice);
  EXPECT_EQ(ThrownText([&] { player.SetPosition(100); }), noDevice);
  EXPECT_EQ(ThrownText([&] { (void)player.Length(); }), noDevice);
  player.Close();
  player.SetDisplayRect(QRect(0, 0, 10, 10));
  EXPECT_TRUE(device.calls.isEmpty()) << device.calls.join(", ").toStdString();
}

TEST_F(ZoMediaPlayerLogic, FailedOpenThrowsDeviceTextAndStaysClosed) {
  OpenFile("/clips/first.mpg");
  device.openError = -17;
  device.errorText = "unrecognized file format";
  player.SetFileName("/clips/broken.avi");
  EXPECT_EQ(ThrownText([&] { player.Open(); }), "unrecognized file format");
  EXPECT_EQ(device.calls, QStringList({"Close", "Open /clips/broken.avi"}));
  EXPECT_EQ(player.Error(), -17);
  EXPECT_EQ(player.Mode(), cliploom::mpNotReady);
  EXPECT_EQ(ThrownText([&] { player.Stop(); }), QStringLiteral("MCI デバイスがありません"));
}

TEST_F(ZoMediaPlayerLogic, ErrorWithoutTextReadsUnknown) {
  device.openError = 99;
  device.errorText.clear();
  player.SetFileName("/clips/x.wmv");
  EXPECT_EQ(ThrownText([&] { player.Open(); }), QStringLiteral("原因不明のエラー"));
}

TEST_F(ZoMediaPlayerLogic, OpenWritesDeviceAndElementDebugLines) {
  static QStringList lines;
  lines.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (QByteArray(context.category) == "cliploom.mediaplayer") lines << text;
      });
  player.SetDeviceType(cliploom::dtMpegVideo);
  OpenFile("/clips/a b.mpg");
  qInstallMessageHandler(previous);
  EXPECT_EQ(lines,
            QStringList({"DeviceName:MPEGVideo", "lpstrElementName:/clips/a b.mpg", "done"}));
}

TEST_F(ZoMediaPlayerLogic, PlayRewindsOnlyAtTheEndWithAutoRewind) {
  struct Row {
    bool autoRewind;
    bool atEnd;
    QStringList calls;
  };
  const Row rows[] = {
      {true, true, {"Seek 0", "Play"}},
      {true, false, {"Play"}},
      {false, true, {"Play"}},
  };
  OpenFile();
  for (const Row& row : rows) {
    device.calls.clear();
    player.SetAutoRewind(row.autoRewind);
    device.atEnd = row.atEnd;
    player.Play();
    EXPECT_EQ(device.calls, row.calls) << row.autoRewind << row.atEnd;
    EXPECT_EQ(player.Mode(), cliploom::mpPlaying);
  }
}

TEST_F(ZoMediaPlayerLogic, DisplaySetBeforeOpenIsAttachedAtOpen) {
  QWidget panel;
  player.SetDisplay(&panel);
  EXPECT_TRUE(device.calls.isEmpty());
  OpenFile();
  EXPECT_EQ(device.display, &panel);
  EXPECT_EQ(player.Display(), &panel);
}

TEST_F(ZoMediaPlayerLogic, DisplayDestroyedWhileOpenIsDetached) {
  auto panel = std::make_unique<QWidget>();
  player.SetDisplay(panel.get());
  OpenFile();
  panel.reset();
  EXPECT_EQ(device.calls, QStringList({"Detach"}));
  EXPECT_EQ(player.Display(), nullptr);
}

TEST_F(ZoMediaPlayerLogic, DisplayRectIsLeftTopWidthHeightAndZeroSizeKeepsSourceSize) {
  device.source = QSize(720, 480);
  OpenFile();
  EXPECT_EQ(player.DisplayRect(), QRect(0, 0, 720, 480));
  player.SetDisplayRect(QRect(0, 13, 320, 213));
  player.SetDisplayRect(QRect(5, 6, 0, 0));
  EXPECT_EQ(device.calls, QStringList({"Destination 0,13 320x213", "Destination 5,6 720x480"}));
}

TEST_F(ZoMediaPlayerLogic, ClipWithoutVideoHasNoDisplayRect) {
  device.source = QSize();
  OpenFile("/clips/sound.mpg");
  EXPECT_TRUE(player.DisplayRect().isNull());
}

}  // namespace
