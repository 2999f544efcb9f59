#include "platform/DriveSpace.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

TEST(DriveSpace, OnlyMountedFoldersAnswer) {
  testing_support::TempFolder temp;
  const QString plainFolder = temp.MakeFolder("cdrom") + "/";
  const QString file = temp.Touch("disc.iso");
  const std::vector<std::pair<QString, bool>> cases = {
      {"/", true},
      {"/proc/", true},
      {plainFolder, false},  // a mount folder with nothing mounted on it
      {temp("missing/"), false},
      {file, false},
      {"", false},
  };
  for (const auto& [root, ready] : cases) {
    EXPECT_EQ(platform::CanQueryDriveSize(root), ready) << root.toStdString();
  }
}

}  // namespace
