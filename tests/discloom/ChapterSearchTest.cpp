#include "discloom/ChapterSearch.h"

#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <QDirIterator>

#include "tests/support/TempFolder.h"

namespace {

using discloom::ChapterFile;
using discloom::FindChapterFiles;
using testing_support::TempFolder;

QStringList Names(const std::vector<ChapterFile>& chapters) {
  QStringList names;
  for (const ChapterFile& chapter : chapters) names << chapter.name;
  return names;
}

// The names of a folder's entries in the order the file system returns
// them (QDirIterator does not sort).
QStringList DirectoryOrder(const QString& folder) {
  QStringList names;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  while (it.hasNext()) names << QFileInfo(it.next()).fileName();
  return names;
}

// Checks file permissions as an ordinary user for the current thread, also
// when the tests run as root (whom permissions do not stop otherwise).
class ScopedOrdinaryUser {
 public:
  ScopedOrdinaryUser()
      : root_(geteuid() == 0),
        previousGroup_(root_ ? setfsgid(65534) : 0),
        previousUser_(root_ ? setfsuid(65534) : 0) {}
  ~ScopedOrdinaryUser() {
    if (!root_) return;
    setfsuid(previousUser_);
    setfsgid(previousGroup_);
  }

 private:
  bool root_;
  int previousGroup_;
  int previousUser_;
};

TEST(ChapterSearch, ChapterNamesAreExactUpperCaseVobOtherThanTheMenu) {
  const struct {
    const char* name;
    bool chapter;
  } cases[] = {
      {"VTS_01_1.VOB", true},  {"VTS_01_0.VOB", true},  {"A.B.VOB", true},
      {"video_ts.VOB", true},  {"VIDEO_TS.VOB", false}, {"vts_01_1.vob", false},
      {"VTS_01_1.Vob", false}, {"VTS_01_1.IFO", false}, {"VTS_01_1.BUP", false},
      {"VTS.VOB.BAK", false},  {"VOB", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(discloom::IsChapterFileName(c.name), c.chapter) << c.name;
  }
}

TEST(ChapterSearch, StandardDiscListsItsTitleSetFilesInDirectoryOrder) {
  TempFolder disc;
  for (const char* name :
       {"VIDEO_TS.IFO", "VIDEO_TS.BUP", "VIDEO_TS.VOB", "VTS_01_0.IFO", "VTS_01_0.BUP",
        "VTS_01_0.VOB", "VTS_01_1.VOB", "VTS_01_2.VOB", "vts_01_3.vob"}) {
    disc.Touch(QStringLiteral("VIDEO_TS/") + name);
  }
  disc.MakeFolder("AUDIO_TS");

  QStringList expected;
  for (const QString& name : DirectoryOrder(disc("VIDEO_TS"))) {
    if (name.startsWith("VTS_") && name.endsWith(".VOB")) expected << name.chopped(4);
  }
  ASSERT_EQ(expected.size(), 3);

  const std::vector<ChapterFile> chapters = FindChapterFiles(disc.Path() + "/");
  EXPECT_EQ(Names(chapters), expected);
  ASSERT_FALSE(chapters.empty());
  EXPECT_EQ(chapters[0].path, disc.Path() + "/VIDEO_TS/" + expected[0] + ".VOB");
}

TEST(ChapterSearch, FoldersAreSearchedDepthFirstAndNamesMayRepeat) {
  TempFolder disc;
  disc.Touch("D1/A.VOB");
  disc.Touch("D1/Deep/B.VOB");
  disc.Touch("Z.VOB");
  disc.Touch("D2/A.VOB");
  disc.Touch(".hidden/H.VOB");

  // Each folder's chapters come where the folder stands among its siblings.
  std::function<QStringList(const QString&)> expect = [&](const QString& folder) {
    QStringList names;
    for (const QString& name : DirectoryOrder(folder)) {
      const QString path = folder + "/" + name;
      names << (QFileInfo(path).isDir() ? expect(path) : QStringList{name.chopped(4)});
    }
    return names;
  };
  const QStringList expected = expect(disc.Path());
  EXPECT_EQ(expected.size(), 5);
  EXPECT_EQ(Names(FindChapterFiles(disc.Path() + "/")), expected);
}

TEST(ChapterSearch, UnreadableFolderContributesNothingAndTheSearchGoesOn) {
  TempFolder disc;
  QFile::setPermissions(disc.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadOther | QFile::ExeOther);
  disc.Touch("Locked/HIDDEN.VOB");
  disc.Touch("Open/VTS_01_1.VOB");
  disc.Touch("VTS_01_2.VOB");
  QFile::setPermissions(disc("Locked"), QFile::Permissions());

  QStringList names;
  {
    ScopedOrdinaryUser user;
    names = Names(FindChapterFiles(disc.Path() + "/"));
  }
  QFile::setPermissions(disc("Locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  names.sort();
  EXPECT_EQ(names, QStringList({"VTS_01_1", "VTS_01_2"}));
}

TEST(ChapterSearch, SymbolicLinkLoopsEndAndLinkedFoldersCountOnce) {
  TempFolder disc;
  disc.Touch("VIDEO_TS/VTS_01_1.VOB");
  QFile::link(disc("VIDEO_TS"), disc("VIDEO_TS/self"));
  QFile::link(disc.Path(), disc("VIDEO_TS/up"));
  QFile::link(disc("VIDEO_TS"), disc("again"));
  QFile::link(disc("nowhere"), disc("VIDEO_TS/broken"));

  EXPECT_EQ(Names(FindChapterFiles(disc.Path() + "/")), QStringList({"VTS_01_1"}));
}

TEST(ChapterSearch, MissingFolderOrAFileGivesNothing) {
  TempFolder disc;
  EXPECT_TRUE(FindChapterFiles(disc("missing/")).empty());
  EXPECT_TRUE(FindChapterFiles(disc.Touch("VTS_01_1.VOB")).empty());
}

}  // namespace
