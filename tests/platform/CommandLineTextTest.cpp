#include "platform/CommandLineText.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace {

using platform::QuotePath;
using platform::SplitCommandLine;

TEST(CommandLineText, OrdinaryPathIsTheQuotedPath) {
  EXPECT_EQ(QuotePath("/home/user/動画/VTS_01_1.VOB"), "\"/home/user/動画/VTS_01_1.VOB\"");
}

TEST(CommandLineText, SplitsByWindowsRules) {
  const struct {
    QString text;
    QStringList arguments;
  } cases[] = {
      {"lib/ffmpeg -y -i \"/a b/c.VOB\"  -r 29.97",
       {"lib/ffmpeg", "-y", "-i", "/a b/c.VOB", "-r", "29.97"}},
      {"a\\\\\\\"b", {"a\\\"b"}},     // 3 backslashes + quote: one backslash, literal quote
      {"\"a\\\\\" b", {"a\\", "b"}},  // 2 backslashes + quote: one backslash, quote closes
      {"a\\b\\\\c", {"a\\b\\\\c"}},   // backslashes without a quote are literal
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},  // doubled quote inside quotes
      {"\"\"", {""}},                          // an empty argument
      {"  \t ", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitCommandLine(c.text), c.arguments) << c.text.toStdString();
}

TEST(CommandLineText, NastyPathsSurviveTheRoundTrip) {
  const QStringList paths = {"/動画 フォルダ/a b.mpg",
                             "/x/\"quoted\".mpg",
                             "C:\\dir\\",
                             "trailing\\\\",
                             "\\\"",
                             "-i",
                             "-leading dash.mpg",
                             "line\nbreak",
                             "tab\there",
                             "",
                             " ",
                             "\"",
                             "a\\\\\"b",
                             "/x/y's & $(z) ;|`.mpg"};
  for (const QString& path : paths) {
    const QString line = "lib/ffmpeg -i " + QuotePath(path) + " " + QuotePath(path);
    EXPECT_EQ(SplitCommandLine(line), QStringList({"lib/ffmpeg", "-i", path, path}))
        << line.toStdString();
  }
}

TEST(CommandLineText, RandomTextsSurviveTheRoundTrip) {
  QRandomGenerator random(20261211);
  const QString alphabet = QStringLiteral("ab \\\"\t\n/.動-");
  for (int round = 0; round < 3000; ++round) {
    QString path;
    const int length = random.bounded(12);
    for (int i = 0; i < length; ++i) path += alphabet[random.bounded(alphabet.size())];
    ASSERT_EQ(SplitCommandLine(QuotePath(path)), QStringList{path}) << path.toStdString();
  }
}

}  // namespace
