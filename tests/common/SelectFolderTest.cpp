#include "common/SelectFolder.h"

#include <gtest/gtest.h>

#include "platform/ShellFolders.h"
#include "tests/support/ScriptedPrompts.h"

using testing_support::PromptKind;
using testing_support::ScriptedPrompts;

namespace {

const QString kCaption = QStringLiteral("保存先を選択してください");

TEST(SelectFolder, ConfirmedFolderHasNoTrailingDelimiter) {
  ScriptedPrompts prompts;
  prompts.ExpectChooseFolder(QStringLiteral("/home/user/動画/"));
  QString folder;
  EXPECT_TRUE(common::SelectFolder(prompts, kCaption, QString(), folder));
  EXPECT_EQ(folder, "/home/user/動画");
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].kind, PromptKind::ChooseFolder);
  EXPECT_EQ(prompts.Shown()[0].text, kCaption);
  EXPECT_EQ(platform::WithTrailingDelimiter(folder), "/home/user/動画/");
}

TEST(SelectFolder, RootKeepsItsDelimiterAndGetsNoSecond) {
  ScriptedPrompts prompts;
  prompts.ExpectChooseFolder(QStringLiteral("/"));
  QString folder;
  EXPECT_TRUE(common::SelectFolder(prompts, kCaption, QString(), folder));
  EXPECT_EQ(folder, "/");
  EXPECT_EQ(platform::WithTrailingDelimiter(folder), "/");
}

TEST(SelectFolder, CancelLeavesFolderAlone) {
  ScriptedPrompts prompts;
  prompts.ExpectChooseFolder(std::nullopt);
  QString folder = QStringLiteral("/keep/");
  EXPECT_FALSE(common::SelectFolder(prompts, kCaption, QString(), folder));
  EXPECT_EQ(folder, "/keep/");
}

}  // namespace
