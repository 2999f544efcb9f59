#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "cliploom/MovTime.h"
#include "cliploom/PreviewFit.h"
#include "cliploom/SourceFiles.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cliploom;

TEST(FormatMovTime, WritesHoursMinutesSecondsWithTwoDigitsAtLeast) {
  const std::pair<qint64, const char*> rows[] = {
      {0, "00:00:00"},       {999, "00:00:00"},     {59999, "00:00:59"},      {60000, "00:01:00"},
      {3599999, "00:59:59"}, {3600000, "01:00:00"}, {360000000, "100:00:00"},
  };
  for (const auto& [ms, text] : rows) EXPECT_EQ(FormatMovTime(ms), text) << ms;
}

TEST(FittedPreviewRect, FillsThePanelKeepingProportionsCentred) {
  struct Row {
    QRect picture;
    QRect fitted;
  };
  const Row rows[] = {
      {{0, 0, 640, 480}, {0, 0, 320, 240}},
      {{0, 0, 720, 480}, {0, 13, 320, 213}},
      {{0, 0, 480, 640}, {70, 0, 180, 240}},
      {{0, 0, 640, 425}, {0, 14, 320, 212}},   // 212.5 goes to the even 212
      {{0, 0, 640, 427}, {0, 13, 320, 214}},   // 213.5 goes to the even 214
      {{0, 0, 201, 480}, {110, 0, 100, 240}},  // 100.5 goes to the even 100
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FittedPreviewRect(row.picture, QSize(320, 240)), row.fitted) << row.picture.width();
  }
}

TEST(FittedPreviewRect, EmptyPictureIsAnInvalidStream) {
  for (const QRect& empty : {QRect(0, 0, 0, 0), QRect(0, 0, 640, 0), QRect(0, 0, 0, 480)}) {
    try {
      FittedPreviewRect(empty, QSize(320, 240));
      ADD_FAILURE() << "no error for " << empty.width() << "x" << empty.height();
    } catch (const EStreamError& error) {
      EXPECT_STREQ(error.what(), "不正なストリーム");
    }
  }
}

TEST(TrackBarRangeFor, CountsWholeSecondsWithTenthsForTicksAndPages) {
  struct Row {
    int lengthMs;
    int max;
    int frequency;
  };
  for (const Row& row : {Row{9999, 9, 0}, Row{125000, 125, 12}, Row{0, 0, 0}}) {
    const TrackBarRange range = TrackBarRangeFor(row.lengthMs);
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, row.max) << row.lengthMs;
    EXPECT_EQ(range.frequency, row.frequency) << row.lengthMs;
    EXPECT_EQ(range.pageSize, row.frequency) << row.lengthMs;
  }
}

TEST(IsAcceptedDropName, TakesTheFourVideoExtensionsInAnyCase) {
  for (const char* name : {"/v/a.avi", "/v/b.WMV", "/v/c.Mpg", "/v/d.mPeG", "/v/e.WmV",
                           "/v/x.y/clip.mpg", "/v/folder.avi"}) {
    EXPECT_TRUE(IsAcceptedDropName(QString::fromUtf8(name))) << name;
  }
  for (const char* name : {"/v/a.mpe", "/v/b.mp4", "/v/c.mpg2", "/v/d.txt", "/v/mpg", "/v.mpg/clip",
                           "/v/e.avi.doc", "/v/f.avi/"}) {
    EXPECT_FALSE(IsAcceptedDropName(QString::fromUtf8(name))) << name;
  }
}

TEST(PrepareWorkFolder, CreatesMissingLevelsAndLeavesExistingOnesAlone) {
  testing_support::TempFolder base;
  const QString expected = base.Path() + "/Vorneth/ClipLoom/tmp/";
  EXPECT_EQ(PrepareWorkFolder(base.Path()), expected);
  EXPECT_TRUE(QDir(expected).exists());

  const QString marker = base.Touch("Vorneth/ClipLoom/tmp/keep.txt", "x");
  EXPECT_EQ(PrepareWorkFolder(base.Path() + "/"), expected);
  EXPECT_TRUE(QFile::exists(marker));

  testing_support::TempFolder partial;
  const QString mine = partial.Touch("Vorneth/mine.txt", "y");
  EXPECT_EQ(PrepareWorkFolder(partial.Path()), partial.Path() + "/Vorneth/ClipLoom/tmp/");
  EXPECT_TRUE(QFile::exists(mine));
  EXPECT_TRUE(QDir(partial("Vorneth/ClipLoom/tmp")).exists());
}

TEST(PrepareWorkFolder, AMissingCacheFolderIsCreatedFirst) {
  testing_support::TempFolder home;
  const QString cache = home("fresh user/.cache");
  EXPECT_EQ(PrepareWorkFolder(cache), cache + "/Vorneth/ClipLoom/tmp/");
  EXPECT_TRUE(QDir(cache + "/Vorneth/ClipLoom/tmp").exists());
}

TEST(PrepareWorkFolder, UncreatableLevelIsNotReported) {
  testing_support::TempFolder base;
  base.Touch("Vorneth", "a file where a folder should be");
  EXPECT_EQ(PrepareWorkFolder(base.Path()), base.Path() + "/Vorneth/ClipLoom/tmp/");
}

}  // namespace
