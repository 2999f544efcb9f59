#include <gtest/gtest.h>

#include "discloom/UnitMain.h"
#include "tests/support/ScriptedPrompts.h"

namespace {

TEST(DiscLoomMainWindow, CaptionAndFixedClientSize) {
  testing_support::ScriptedPrompts prompts;
  discloom::TFormMain window(prompts);
  EXPECT_EQ(window.windowTitle(), "DiscLoom");
  EXPECT_EQ(window.size(), QSize(386, 303));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
}

}  // namespace
