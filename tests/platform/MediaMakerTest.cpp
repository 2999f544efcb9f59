#include "tests/support/MediaMaker.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

// The clip maker underpins every end-to-end test: check that what it makes is what it says.
TEST(MediaMaker, MakesClipOfTheAskedLengthAndSize) {
  testing_support::TempFolder folder;
  const QString clip = folder("clip.mpg");
  QString log;
  ASSERT_TRUE(testing_support::MakeClip(clip, {.seconds = 2.0}, &log)) << log.toStdString();
  EXPECT_NEAR(testing_support::Probe(clip, "format=duration").toDouble(), 2.0, 0.15);
  EXPECT_EQ(testing_support::Probe(clip, "stream=width", "v:0"), "160");
  EXPECT_EQ(testing_support::Probe(clip, "stream=codec_name", "a:0"), "mp2");
}

}  // namespace
