#include <gtest/gtest.h>

#include "cliploom/UnitFormMain.h"
#include "tests/support/ScriptedPrompts.h"

namespace {

TEST(ClipLoomMainWindow, CaptionAndFixedClientSize) {
  testing_support::ScriptedPrompts prompts;
  cliploom::TFormMain window(prompts);
  EXPECT_EQ(window.windowTitle(), "ClipLoom");
  EXPECT_EQ(window.size(), QSize(712, 646));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
}

}  // namespace
