// The player on the real libmpv device with clips made at test time.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QWidget>
#include <map>

#include "cliploom/ZoMediaPlayer.h"
#include "platform/MpvDevice.h"
#include "tests/support/MediaMaker.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"

namespace {

using cliploom::TZoMediaPlayer;
using testing_support::ClipOptions;

constexpr int kFrameMs = 40;  // every clip runs at 25 frames a second

const QStringList kMpeg1 = {"-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"};

struct ClipKind {
  const char* name;
  const char* file;
  ClipOptions options;
};

const ClipKind kClips[] = {
    {"Mpeg1ProgramStream", "clip.mpg", {.seconds = 6, .outputOptions = kMpeg1}},
    {"Wmv", "clip.wmv", {.seconds = 6, .outputOptions = {"-c:v", "wmv2", "-c:a", "wmav2"}}},
    {"Avi", "clip.avi", {.seconds = 6, .outputOptions = {"-c:v", "mpeg4", "-c:a", "mp2"}}},
    {"Portrait",
     "portrait.mpg",
     {.seconds = 6, .width = 120, .height = 160, .outputOptions = kMpeg1}},
    {"KeyframesTwoSecondsApart",
     "gop.mpg",
     {.seconds = 8, .outputOptions = QStringList{"-g", "50", "-bf", "2"} + kMpeg1}},
    {"OddName", "a \"b\" 動画 c.mpg", {.seconds = 6, .outputOptions = kMpeg1}},
};

void PrintTo(const ClipKind& kind, std::ostream* out) { *out << kind.name; }

// Clips are made once per test process, on first use.
QString Clip(const ClipKind& kind) {
  static testing_support::TempFolder folder;
  static std::map<QString, QString> made;
  const QString path = folder(QString::fromUtf8(kind.file));
  if (!made.count(path)) {
    QString log;
    EXPECT_TRUE(testing_support::MakeClip(path, kind.options, &log)) << log.toStdString();
    made[path] = path;
  }
  return path;
}

std::unique_ptr<TZoMediaPlayer> SilentPlayer() {
  auto player = std::make_unique<TZoMediaPlayer>(
      std::make_unique<platform::MpvDevice>(platform::MpvDevice::Options{.audio = false}));
  player->SetDeviceType(cliploom::dtMpegVideo);
  return player;
}

class PlayerOnClip : public ::testing::TestWithParam<ClipKind> {};

TEST_P(PlayerOnClip, OpensWithProbedLengthAndSeeksExactly) {
  const QString clip = Clip(GetParam());
  auto player = SilentPlayer();
  player->SetFileName(clip);
  player->Open();
  player->SetTimeFormat(cliploom::tfMilliseconds);

  const double probed = testing_support::Probe(clip, "format=duration").toDouble() * 1000;
  EXPECT_NEAR(player->Length(), probed, kFrameMs);
  EXPECT_EQ(player->DisplayRect(),
            QRect(0, 0, GetParam().options.width, GetParam().options.height));

  for (const int target : {3456, 1000, 5020}) {
    player->SetPosition(target);
    EXPECT_NEAR(player->Position(), target, kFrameMs) << "seek to " << target;
    EXPECT_EQ(player->Mode(), cliploom::mpStopped);
  }
}

INSTANTIATE_TEST_SUITE_P(Clips, PlayerOnClip, ::testing::ValuesIn(kClips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlayerOnMpv, PlayAfterSeekAdvancesAndStopHolds) {
  auto player = SilentPlayer();
  player->SetFileName(Clip(kClips[0]));
  player->Open();
  player->SetPosition(1000);
  player->Play();
  EXPECT_EQ(player->Mode(), cliploom::mpPlaying);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return player->Position() > 1300; }));
  player->Stop();
  EXPECT_EQ(player->Mode(), cliploom::mpStopped);
  const int stoppedAt = player->Position();
  player->SetPosition(stoppedAt);
  EXPECT_NEAR(player->Position(), stoppedAt, kFrameMs);
}

TEST(PlayerOnMpv, PlayAtTheVeryEndStartsAgainFromZero) {
  auto player = SilentPlayer();
  player->SetFileName(Clip(kClips[1]));
  player->Open();
  player->SetPosition(player->Length() + 5000);  // clamped to the end
  EXPECT_GT(player->Position(), player->Length() - 3 * kFrameMs);
  player->Play();
  EXPECT_LT(player->Position(), 500);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return player->Position() > 300; }));
  EXPECT_EQ(player->Mode(), cliploom::mpPlaying);
}

TEST(PlayerOnMpv, PlaysToTheEndAndReportsStopped) {
  auto player = SilentPlayer();
  player->SetFileName(Clip(kClips[0]));
  player->Open();
  player->SetPosition(player->Length() - 500);
  player->Play();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return player->Mode() == cliploom::mpStopped; }));
  EXPECT_GT(player->Position(), player->Length() - 3 * kFrameMs);
}

TEST(PlayerOnMpv, UnplayableFilesRaiseWithTextAndLeaveThePlayerUsable) {
  testing_support::TempFolder folder;
  QByteArray noise(64 * 1024, '\0');
  for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + 13) % 251);
  const QString bad[] = {
      folder.Touch("noise.mpg", noise),
      folder.Touch("text.avi", "This is a plain text file, not a video.\n"),
      folder.Touch("empty.wmv"),
      folder("missing.mpg"),
      folder.MakeFolder("folder.avi"),
  };
  auto player = SilentPlayer();
  for (const QString& path : bad) {
    player->SetFileName(path);
    try {
      player->Open();
      ADD_FAILURE() << "opened " << path.toStdString();
    } catch (const cliploom::EMCIDeviceError& error) {
      EXPECT_FALSE(error.Message().isEmpty());
    }
    EXPECT_EQ(player->Mode(), cliploom::mpNotReady) << path.toStdString();
    EXPECT_EQ(player->Position(), 0);
    EXPECT_THROW(player->Stop(), cliploom::EMCIDeviceError);
  }
  player->SetFileName(Clip(kClips[0]));
  player->Open();
  EXPECT_EQ(player->Mode(), cliploom::mpStopped);
  player->Close();
  EXPECT_EQ(player->Mode(), cliploom::mpNotReady);
  EXPECT_EQ(player->Position(), 0);
}

// Share of sampled pixels in `area` that are plainly coloured (not grey).
double ColouredShare(const QImage& image, const QRect& area) {
  int coloured = 0;
  int total = 0;
  for (int y = area.top(); y <= area.bottom(); y += 4) {
    for (int x = area.left(); x <= area.right(); x += 4) {
      ++total;
      if (QColor(image.pixel(x, y)).hsvSaturation() > 100) ++coloured;
    }
  }
  return total ? double(coloured) / total : 0;
}

bool AllBlack(const QImage& image, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (QColor(image.pixel(x, y)).value() > 8) return false;
    }
  }
  return true;
}

TEST(PlayerOnMpv, PanelShowsThePictureInsideTheRectangleAndBlackAround) {
  QWidget panel;
  panel.resize(320, 240);
  auto player = SilentPlayer();
  player->SetDisplay(&panel);
  player->SetFileName(Clip(kClips[3]));  // 120 x 160
  player->Open();
  const QRect picture(70, 0, 180, 240);
  player->SetDisplayRect(picture);
  QImage shot;
  ASSERT_TRUE(testing_support::WaitUntil([&] {
    shot = panel.grab().toImage();
    return ColouredShare(shot, picture.adjusted(4, 4, -4, -4)) > 0.3;
  })) << "coloured share "
      << ColouredShare(shot, picture);
  EXPECT_TRUE(AllBlack(shot, QRect(0, 0, 70, 240)));
  EXPECT_TRUE(AllBlack(shot, QRect(250, 0, 70, 240)));
}

}  // namespace
