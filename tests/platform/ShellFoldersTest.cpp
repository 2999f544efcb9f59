#include "platform/ShellFolders.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// Points the XDG settings at a temporary home for the duration of a test.
class ScopedXdgHome {
 public:
  explicit ScopedXdgHome(const QString& home)
      : oldHome_(qgetenv("HOME")),
        oldConfig_(qgetenv("XDG_CONFIG_HOME")),
        oldCache_(qgetenv("XDG_CACHE_HOME")) {
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
    qputenv("XDG_CACHE_HOME", (home + "/cache//").toUtf8());
  }
  ~ScopedXdgHome() {
    qputenv("HOME", oldHome_);
    qputenv("XDG_CONFIG_HOME", oldConfig_);
    qputenv("XDG_CACHE_HOME", oldCache_);
  }

 private:
  QByteArray oldHome_, oldConfig_, oldCache_;
};

TEST(ShellFolders, ComeFromXdgSettingsWithOneTrailingDelimiter) {
  QTemporaryDir home;
  ScopedXdgHome scope(home.path());
  QDir().mkpath(home.path() + "/.config");
  QFile dirs(home.path() + "/.config/user-dirs.dirs");
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write("XDG_DESKTOP_DIR=\"$HOME/デスクトップ/\"\nXDG_DOCUMENTS_DIR=\"$HOME/文書\"\n");
  dirs.close();
  QDir().mkpath(home.path() + "/デスクトップ");
  QDir().mkpath(home.path() + "/文書");

  EXPECT_EQ(platform::DesktopFolder(), home.path() + "/デスクトップ/");
  EXPECT_EQ(platform::DocumentsFolder(), home.path() + "/文書/");
  EXPECT_EQ(platform::CommonAppDataFolder(), home.path() + "/cache/");
}

TEST(ShellFolders, MissingFoldersStillGivePaths) {
  QTemporaryDir home;
  ScopedXdgHome scope(home.path());
  for (const QString& folder :
       {platform::DesktopFolder(), platform::DocumentsFolder(), platform::CommonAppDataFolder()}) {
    EXPECT_TRUE(folder.startsWith(home.path())) << folder.toStdString();
    EXPECT_TRUE(folder.endsWith('/') && !folder.endsWith("//")) << folder.toStdString();
  }
}

}  // namespace
