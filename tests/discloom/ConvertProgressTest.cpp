#include "discloom/ConvertProgress.h"

#include <gtest/gtest.h>

namespace {

using discloom::ReadProgressSeconds;

TEST(ConvertProgress, ReadsSecondsFromProgressLines) {
  const struct {
    QString line;
    QString text;
  } cases[] = {
      {"frame= 2500 fps= 95 q=2.0 size= 21000kB time=83.40 bitrate=2062.9kbits/s",
       "00時間01分23秒までの動画を変換完了"},
      {"time=2.5 bitrate=1", "00時間00分02秒までの動画を変換完了"},
      {"time=3.5 bitrate=1", "00時間00分04秒までの動画を変換完了"},
      {"time=3725.5 bitrate=1", "01時間02分06秒までの動画を変換完了"},
      {"time=360000 bitrate=1", "100時間00分00秒までの動画を変換完了"},
      {"frame=  2500 fps= 95 q=2.0 size=   21000kB time=00:01:23.40 bitrate=2062.9kbits/s "
       "speed=3.1x",
       "00時間01分23秒までの動画を変換完了"},
      {"TIME=00:00:02.50 bitrate=1", "00時間00分02秒までの動画を変換完了"},
      {"time=00:00:03.50 bitrate=1", "00時間00分04秒までの動画を変換完了"},
      {"time=01:02:05.50 bitrate=1", "01時間02分06秒までの動画を変換完了"},
      {"time=100:00:00.00 bitrate=1", "100時間00分00秒までの動画を変換完了"},
  };
  for (const auto& c : cases) {
    const auto seconds = ReadProgressSeconds(c.line);
    ASSERT_TRUE(seconds.has_value()) << c.line.toStdString();
    EXPECT_EQ(discloom::SituationTextFor(*seconds), c.text) << c.line.toStdString();
  }
}

TEST(ConvertProgress, LinesWithoutAReadableTimeGiveNothing) {
  for (const QString line : {
           "frame=  100 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A speed=N/A",
           "size=       0kB time=00:00:01.00",
           "Stream mapping:",
           "frame=    0 fps=0.0 q=0.0 size=       0kB time=-577014:32:22.77 bitrate=  -0.0kbits/s",
           "time=-5.0 bitrate=1",
           "time= bitrate=1",
           "time=12abc bitrate=1",
           "time=1e3 bitrate=1",
           "time=00:61:00.00 bitrate=1",
       }) {
    EXPECT_FALSE(ReadProgressSeconds(line).has_value()) << line.toStdString();
  }
}

TEST(ConvertProgress, OutputNameReplacesTheLastExtension) {
  EXPECT_EQ(discloom::OutputPathFor("/out/", "/dvd/VIDEO_TS/VTS_01_1.VOB"), "/out/VTS_01_1.mpg");
  EXPECT_EQ(discloom::OutputPathFor("/out/", "/a.b/name"), "/out/name.mpg");
  EXPECT_EQ(discloom::OutputPathFor("/out/", "/a/x.y.VOB"), "/out/x.y.mpg");
}

}  // namespace
