#include "platform/Prompts.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ErrorReport.h"
#include "tests/support/ScriptedPrompts.h"

namespace {

TEST(ToolkitFileFilter, TranslatesDescriptionAndPatterns) {
  const struct {
    QString in, out;
  } cases[] = {
      {"動画ファイル(*.VOB)|*.VOB", "動画ファイル(*.VOB) (*.VOB)"},
      {"動画ファイル(*.mpg,*.mpeg,*.wmv,*.avi)|*.mpg;*.mpeg;*.wmv;*.avi;",
       "動画ファイル(*.mpg,*.mpeg,*.wmv,*.avi) (*.mpg *.mpeg *.wmv *.avi)"},
      {"動画ファイル|*.mpg;*.mpeg|すべて|*", "動画ファイル (*.mpg *.mpeg);;すべて (*)"},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::ToolkitFileFilter(c.in), c.out);
}

TEST(RunGuarded, ReportsTheErrorTextAndStops) {
  testing_support::ScriptedPrompts prompts;
  prompts.ExpectMessage();
  bool after = false;
  platform::RunGuarded(prompts, [&] {
    throw std::runtime_error("lib/ffmpeg doesn't exist.");
    after = true;
  });
  EXPECT_FALSE(after);
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "lib/ffmpeg doesn't exist.");
  EXPECT_EQ(prompts.Shown()[0].icon, platform::PromptIcon::Error);
}

}  // namespace
