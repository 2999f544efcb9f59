#include "converter/ArgumentRewrite.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Splits at blanks; the paths of these rows hold none.
std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

TEST(ArgumentRewrite, RewritesEveryCommandLineOfBothPrograms) {
  const struct {
    const char* name;
    const char* from;
    const char* to;
  } cases[] = {
      {"joint cut",
       "-y  -t 65.5  -i /v/a.mpg -async 100 -r 30  -ss 65  -s 640x480  -vcodec mpeg1video -b "
       "2048kb "
       "-f mpeg -acodec mp2 -ac 2 -ar 48000 -ab 256kb /w/0.mpg",
       "-y -ss 62 -i /v/a.mpg -ss 3 -t 65.5 -async 100 -r 30 -s 640x480 -vcodec mpeg1video -b:v "
       "2048k "
       "-f mpeg -acodec mp2 -ac 2 -ar 48000 -ab 256k /w/0.mpg"},
      {"individual cut, MPEG-1, no size",
       "-y  -t 1  -i /v/a.mpg -async 100 -r 30  -ss 0  -vcodec mpeg1video -b 2048kb -f mpeg "
       "-acodec mp2 -ac 2 -ar 48000 -ab 256kb /o/a.mpg",
       "-y -i /v/a.mpg -ss 0 -t 1 -async 100 -r 30 -vcodec mpeg1video -b:v 2048k -f mpeg "
       "-acodec mp2 -ac 2 -ar 48000 -ab 256k /o/a.mpg"},
      {"individual cut, FLV, no size",
       "-y  -t 65.5  -i /v/a.mpg -async 100 -r 30  -ss 65  -vcodec flv -b 2048kb -f flv "
       "-acodec libmp3lame -ac 2 -ar 44100 -ab 256kb /o/a.flv",
       "-y -ss 62 -i /v/a.mpg -ss 3 -t 65.5 -async 100 -r 30 -vcodec flv -b:v 2048k -f flv "
       "-acodec libmp3lame -ac 2 -ar 44100 -ab 256k /o/a.flv"},
      {"individual cut, MP4, sized",
       "-y  -t 1.05  -i /v/a.wmv -async 100 -r 30  -ss 61.234  -s 320x240  -vcodec mpeg4 -b 2048kb "
       "-f mp4 -acodec libfaac -ac 2 -ar 48000 -ab 256kb /o/a.mp4",
       "-y -ss 58.234 -i /v/a.wmv -ss 3 -t 1.05 -async 100 -r 30 -s 320x240 -vcodec mpeg4 -b:v "
       "2048k "
       "-f mp4 -acodec aac -ac 2 -ar 48000 -ab 256k /o/a.mp4"},
      {"joint run, MP4",
       "-y -i /w/joint.mpg -async 100 -r 30  -s 640x480  -vcodec mpeg4 -b 2048kb -f mp4 "
       "-acodec libfaac -ac 2 -ar 48000 -ab 256kb /o/movie.mp4",
       "-y -i /w/joint.mpg -async 100 -r 30 -s 640x480 -vcodec mpeg4 -b:v 2048k -f mp4 "
       "-acodec aac -ac 2 -ar 48000 -ab 256k /o/movie.mp4"},
      {"thumbnail, time after the input",
       "-y -i /v/a.mpg -ss 12.5 -vframes 1 -an -vcodec mjpeg -f mjpeg /w/thumb.jpg",
       "-y -ss 9.5 -i /v/a.mpg -ss 3 -vframes 1 -an -vcodec mjpeg -f mjpeg /w/thumb.jpg"},
      {"thumbnail, time before the input",
       "-y  -ss 12.5 -vframes 1 -i /v/a.mpg -an -vcodec mjpeg -f mjpeg /w/thumb.jpg",
       "-y -ss 9.5 -i /v/a.mpg -ss 3 -vframes 1 -an -vcodec mjpeg -f mjpeg /w/thumb.jpg"},
      {"DVD conversion",
       "-y -i /d/VTS_01_1.VOB -vcodec mpeg1video -async 1000  -r 30 -acodec mp2 -b 4096kb -ac 2 "
       "-ar 48000 -ab 256k -f mpeg /o/VTS_01_1.mpg",
       "-y -i /d/VTS_01_1.VOB -vcodec mpeg1video -async 1000 -r 30 -acodec mp2 -b:v 4096k -ac 2 "
       "-ar 48000 -ab 256k -f mpeg /o/VTS_01_1.mpg"},
      {"unknown options pass in order", "-y -foo 1 -i /v/a.mpg -bar 2kb -ss 10 -baz /o/x.mpg",
       "-y -foo 1 -ss 7 -i /v/a.mpg -ss 3 -bar 2kb -baz /o/x.mpg"},
      {"values that look like options stay values",
       "-y -i -ss -metadata title=2048kb -acodec libfaacx /o/-t.mpg",
       "-y -i -ss -metadata title=2048kb -acodec libfaacx /o/-t.mpg"},
      {"options of a second output stay with it", "-i /v/a.mpg -ss 10 /o/1.mpg -ss 2 /o/2.mpg",
       "-ss 7 -i /v/a.mpg -ss 3 /o/1.mpg -ss 2 /o/2.mpg"},
      {"an earlier input keeps its own seek", "-ss 8 -i /a.wav -i /v.mpg -ss 20 -t 4 /o.mpg",
       "-ss 8 -i /a.wav -ss 17 -i /v.mpg -ss 3 -t 4 /o.mpg"},
      {"the later start wins", "-ss 1 -i /v.mpg -ss 10 /o.mpg", "-ss 7 -i /v.mpg -ss 3 /o.mpg"},
      {"a start written as hours, minutes and seconds", "-i /v.mpg -ss 00:01:05.5 /o.mpg",
       "-ss 62.5 -i /v.mpg -ss 3 /o.mpg"},
      {"a start that is no time goes before the input as it is", "-i /v.mpg -ss 1:x /o.mpg",
       "-ss 1:x -i /v.mpg /o.mpg"},
      {"no input: only values change", "-b 10kb -ss 1", "-b:v 10k -ss 1"},
      {"nothing", "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(converter::RewriteArguments(Words(c.from)), Words(c.to)) << c.name;
}

TEST(ArgumentRewrite, ArgumentBytesPassUnchanged) {
  const std::vector<std::string> arguments = {
      "-y",      "-i",         "/動画/a \"b\"\n\\c.mpg",
      "-vcodec", "mpeg1video", std::string("/o/\xff\xfe.mpg")};
  EXPECT_EQ(converter::RewriteArguments(arguments), arguments);
}

}  // namespace
