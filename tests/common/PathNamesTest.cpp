#include "common/PathNames.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

using testing_support::TempFolder;

namespace {

struct UniqueNameCase {
  const char* name;
  std::vector<QString> files;    // existing files, relative to the folder
  std::vector<QString> folders;  // existing folders
  QString wanted;
  QString expected;
};

void PrintTo(const UniqueNameCase& c, std::ostream* os) { *os << c.name; }

class UniqueFileNameTest : public ::testing::TestWithParam<UniqueNameCase> {};

TEST_P(UniqueFileNameTest, PicksFirstFreeName) {
  const UniqueNameCase& c = GetParam();
  TempFolder folder;
  for (const QString& file : c.files) folder.Touch(file);
  for (const QString& sub : c.folders) folder.MakeFolder(sub);
  EXPECT_EQ(common::MakeUniqueFileName(folder(c.wanted)).toStdString(),
            folder(c.expected).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UniqueFileNameTest,
    ::testing::Values(
        UniqueNameCase{"Free", {}, {}, "out/a.mpg", "out/a.mpg"},
        UniqueNameCase{"Taken", {"out/a.mpg"}, {}, "out/a.mpg", "out/a(1).mpg"},
        UniqueNameCase{"TwoTaken", {"out/a.mpg", "out/a(1).mpg"}, {}, "out/a.mpg", "out/a(2).mpg"},
        UniqueNameCase{"GapWins", {"out/a.mpg", "out/a(2).mpg"}, {}, "out/a.mpg", "out/a(1).mpg"},
        UniqueNameCase{"CounterNotParsed", {"out/a(1).mpg"}, {}, "out/a(1).mpg", "out/a(1)(1).mpg"},
        UniqueNameCase{"TwoPeriods", {"out/a.b.mpg"}, {}, "out/a.b.mpg", "out/a.b(1).mpg"},
        UniqueNameCase{
            "PeriodInFolder", {"clips.2020/scene"}, {}, "clips.2020/scene", "clips.2020/scene(1)"},
        UniqueNameCase{"FolderNotTaken", {}, {"out/a.mpg"}, "out/a.mpg", "out/a.mpg"},
        UniqueNameCase{"MissingFolder", {}, {}, "nowhere/deeper/a.mpg", "nowhere/deeper/a.mpg"},
        UniqueNameCase{"JapaneseAndBlanks",
                       {"出力 先/動画 1.mpg"},
                       {},
                       "出力 先/動画 1.mpg",
                       "出力 先/動画 1(1).mpg"},
        UniqueNameCase{"HiddenFile", {".mpg"}, {}, ".mpg", "(1).mpg"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SplitExtension, PeriodsInFoldersNeverStartAnExtension) {
  EXPECT_EQ(common::SplitExtension("/a.b/c").extension, "");
  EXPECT_EQ(common::SplitExtension("/a.b/c").stem, "/a.b/c");
  EXPECT_EQ(common::SplitExtension("/a/c.d.e").extension, ".e");
  EXPECT_EQ(common::SplitExtension("/a/c.").extension, ".");
}

TEST(FileNamePart, IsTheTextAfterTheLastDelimiter) {
  EXPECT_EQ(common::FileNamePart("/home/u/動画 1/a \"b\".mpg"), "a \"b\".mpg");
  EXPECT_EQ(common::FileNamePart("c.avi"), "c.avi");
}

}  // namespace
