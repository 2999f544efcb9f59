#include "platform/LineSplitter.h"

#include <gtest/gtest.h>

#include <string_view>

namespace platform {
// Shows a line in failure messages as "text"/type.
void PrintTo(const OutputLine& line, std::ostream* out) {
  *out << '"' << line.text.toStdString() << "\"/" << line.outputType;
}
}  // namespace platform

namespace {

using namespace std::literals;
using platform::kLineBeginning;
using platform::kWholeLine;
using platform::LineSplitter;
using platform::OutputLine;

std::vector<OutputLine> SplitReads(const std::vector<std::string_view>& reads,
                                   qsizetype maxLineBytes = LineSplitter::kDefaultMaxLineBytes) {
  LineSplitter splitter(maxLineBytes);
  std::vector<OutputLine> lines;
  for (std::string_view read : reads) {
    const auto fed = splitter.Feed(QByteArrayView(read.data(), qsizetype(read.size())));
    lines.insert(lines.end(), fed.begin(), fed.end());
  }
  const auto rest = splitter.Finish();
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

TEST(LineSplitter, SplitsReadsIntoLinesAndBeginnings) {
  const struct {
    const char* name;
    std::vector<std::string_view> reads;
    std::vector<OutputLine> lines;
  } cases[] = {
      {"CR+LF is one end", {"abc\r\n"}, {{"abc", kWholeLine}}},
      {"CR+LF across two reads", {"abc\r", "\ndef\n"}, {{"abc", kWholeLine}, {"def", kWholeLine}}},
      {"CR, LF and CR+LF each end a line",
       {"a\rb\nc\r\nd\n"},
       {{"a", kWholeLine}, {"b", kWholeLine}, {"c", kWholeLine}, {"d", kWholeLine}}},
      {"CR CR+LF gives two empty ends", {"\r\r\n"}, {{"", kWholeLine}, {"", kWholeLine}}},
      {"LF then CR are two ends", {"\n\r"}, {{"", kWholeLine}, {"", kWholeLine}}},
      {"a read ending inside a line gives its beginning",
       {"ab", "cd\n"},
       {{"ab", kLineBeginning}, {"abcd", kWholeLine}}},
      {"each read of an unfinished line gives all of it so far",
       {"ab", "cd", "e\r"},
       {{"ab", kLineBeginning}, {"abcd", kLineBeginning}, {"abcde", kWholeLine}}},
      {"an unfinished last line comes whole at the end",
       {"x\ny"},
       {{"x", kWholeLine}, {"y", kLineBeginning}, {"y", kWholeLine}}},
      {"NUL bytes are dropped, also between CR and LF",
       {"a\0b\r\0\nc\0"sv},
       {{"ab", kWholeLine}, {"c", kLineBeginning}, {"c", kWholeLine}}},
      {"a read of NULs alone repeats nothing",
       {"ab", "\0\0"sv, "\n"},
       {{"ab", kLineBeginning}, {"ab", kWholeLine}}},
      {"a character cut between reads is not given in halves",
       {"\xE5\x8B", "\x95\xE7\x94\xBB\n"},
       {{"動画", kWholeLine}}},
      {"a beginning stops before a cut character",
       {"a\xE5\x8B", "\x95\n"},
       {{"a", kLineBeginning}, {"a動", kWholeLine}}},
      {"converter progress",
       {"frame=  1 time=00:00:00.50 bitrate= 1.0kbits/s\rframe=  2 time=",
        "00:00:01.00 bitrate=1\r", "\n"},
       {{"frame=  1 time=00:00:00.50 bitrate= 1.0kbits/s", kWholeLine},
        {"frame=  2 time=", kLineBeginning},
        {"frame=  2 time=00:00:01.00 bitrate=1", kWholeLine}}},
      {"nothing", {}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitReads(c.reads), c.lines) << c.name;
}

TEST(LineSplitter, LongLinesAreCutIntoWholeLinesAtTheLimit) {
  EXPECT_EQ(SplitReads({"0123456789abcdefXY"}, 8),
            (std::vector<OutputLine>{{"01234567", kWholeLine},
                                     {"89abcdef", kWholeLine},
                                     {"XY", kLineBeginning},
                                     {"XY", kWholeLine}}));
  // A character that would straddle the limit moves to the next line whole.
  EXPECT_EQ(SplitReads({"ab\xE5\x8B\x95"
                        "c\n"},
                       4),
            (std::vector<OutputLine>{{"ab", kWholeLine}, {"動c", kWholeLine}}));
}

TEST(LineSplitter, MebibyteWithoutAnEndStaysBounded) {
  const std::string mebibyte(1 << 20, 'x');
  LineSplitter splitter;
  QString whole;
  for (std::size_t at = 0; at < mebibyte.size(); at += 4096) {
    for (const OutputLine& line : splitter.Feed(QByteArrayView(mebibyte.data() + at, 4096))) {
      ASSERT_LE(line.text.size(), LineSplitter::kDefaultMaxLineBytes);
      if (line.outputType == kWholeLine) whole += line.text;
    }
  }
  for (const OutputLine& line : splitter.Finish()) whole += line.text;
  EXPECT_EQ(whole, QString::fromStdString(mebibyte));
}

}  // namespace
