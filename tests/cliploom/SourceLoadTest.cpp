// Loading source videos into the preview on the real libmpv device.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

#include "cliploom/UnitFormMain.h"
#include "platform/MpvDevice.h"
#include "platform/TrackBar.h"
#include "tests/support/MediaMaker.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TemporaryCache.h"
#include "tests/support/WaitUntil.h"

namespace {

const QString kGeneric =
    QStringLiteral("ファイルが破損しているかその他の原因のため開くことができません");

class SourceLoad : public ::testing::Test {
 protected:
  SourceLoad() {
    QString log;
    EXPECT_TRUE(testing_support::MakeClip(
        clip, {.seconds = 4, .outputOptions = {"-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"}},
        &log))
        << log.toStdString();
  }

  void LoadRow(int row) {
    window.LVSorceMov->selectRow(row);
    window.LVSorceMovDblClick();
  }

  testing_support::TemporaryCache cacheHome;
  testing_support::TempFolder files;
  const QString clip = files("動画 \"one\" 1.mpg");
  testing_support::ScriptedPrompts prompts;
  cliploom::TFormMain window{
      prompts, std::make_unique<platform::MpvDevice>(platform::MpvDevice::Options{.audio = false})};
};

TEST_F(SourceLoad, LoadedClipPlaysAndTheTimeFollows) {
  window.DropFiles({clip});
  LoadRow(0);
  EXPECT_TRUE(prompts.Shown().empty());
  EXPECT_EQ(window.MediaPlayerPreview->FileName(), clip);
  EXPECT_EQ(window.MediaPlayerPreview->DisplayRect(), QRect(0, 0, 320, 240));
  EXPECT_EQ(window.TrackBarPreview->maximum(), 4);
  EXPECT_EQ(window.MediaPlayerPreview->Mode(), cliploom::mpPlaying);
  ASSERT_TRUE(
      testing_support::WaitUntil([&] { return window.lblMovTime->text() == "00:00:01"; }, 10000));
  EXPECT_GE(window.TrackBarPreview->value(), 1);
}

TEST_F(SourceLoad, BadFilesGiveTheGenericMessageAndLeaveTheWindowUsable) {
  QFile source(clip);
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  const QString deleted = files.Touch("gone.mpg", source.readAll());
  const QStringList bad = {
      files.Touch("noise.mpg", QByteArray(32 * 1024, '\x5a')),
      files.Touch("text.avi", "This is a plain text file.\n"),
      files.Touch("empty.wmv"),
      deleted,
      files.MakeFolder("folder.avi"),
  };
  window.DropFiles(bad);
  window.DropFiles({clip});
  ASSERT_TRUE(QFile::remove(deleted));

  // A good load first, so that each failure has something to replace.
  LoadRow(bad.size());
  for (int row = 0; row < bad.size(); ++row) {
    prompts.ExpectMessage();
    LoadRow(row);
    ASSERT_EQ(prompts.Shown().size(), size_t(row + 1)) << bad[row].toStdString();
    EXPECT_EQ(prompts.Shown().back().text, kGeneric);
    EXPECT_TRUE(window.MediaPlayerPreview->FileName().isEmpty());
    EXPECT_EQ(window.MediaPlayerPreview->Mode(), cliploom::mpNotReady);
    EXPECT_FALSE(window.TrackBarPreview->isEnabled());
  }
  LoadRow(bad.size());
  EXPECT_EQ(window.MediaPlayerPreview->Mode(), cliploom::mpPlaying);
  EXPECT_TRUE(window.TrackBarPreview->isEnabled());
}

}  // namespace
