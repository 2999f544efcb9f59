// The built lib/ffmpeg, reached through the process runner as the programs
// reach it, on clips made at test time.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <algorithm>
#include <cstdlib>

#include "platform/CommandLineText.h"
#include "platform/DosCommand.h"
#include "tests/support/Converters.h"
#include "tests/support/MediaMaker.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempFolder.h"

namespace {

using platform::QuotePath;
using testing_support::Probe;

const QString kMpgCodec =
    " -vcodec mpeg1video -b 2048kb -f mpeg -acodec mp2 -ac 2 -ar 48000 -ab 256kb ";
const QString kFlvCodec =
    " -vcodec flv -b 2048kb -f flv -acodec libmp3lame -ac 2 -ar 44100 -ab 256kb ";
const QString kMp4Codec =
    " -vcodec mpeg4 -b 2048kb -f mp4 -acodec libfaac -ac 2 -ar 48000 -ab 256kb ";

class ConverterFront : public ::testing::Test {
 protected:
  ConverterFront() {
    runner.SetProgramFolder(testing_support::BuiltProgramFolder());
    runner.OnNewLine = [this](const QString& line, int outputType) {
      if (outputType == platform::kWholeLine) log += line + '\n';
    };
  }

  void SetUp() override {
    QString makerLog;
    ASSERT_TRUE(
        testing_support::MakeClip(source, {.seconds = 8.0, .counterDecimals = 2}, &makerLog))
        << makerLog.toStdString();
  }

  int Run(const QString& commandLine) {
    log.clear();
    runner.CommandLine = commandLine;
    return runner.RunAndWait();
  }

  // Frame number `index` of a video, counted in decoding order by the system
  // ffmpeg (no time stamps involved).
  QImage Frame(const QString& video, int index) {
    const QString picture = folder("frame.png");
    QFile::remove(picture);
    QProcess ffmpeg;
    ffmpeg.start(testing_support::SystemFfmpeg(),
                 {"-v", "error", "-i", video, "-vf",
                  "select=eq(n\\," + QString::number(index) + ")", "-vframes", "1", picture});
    ffmpeg.waitForFinished(60000);
    return QImage(picture).convertToFormat(QImage::Format_RGB888);
  }

  testing_support::TempFolder folder;
  const QString source = folder.MakeFolder("作業 フォルダ") + "/ソース 動画.mpg";
  testing_support::ScriptedPrompts prompts;
  platform::TDosCommand runner{prompts};
  QString log;
};

// Pixels of two pictures of one size that differ clearly in some colour
// value: coding noise stays far below the threshold, another frame of the
// moving test picture does not.
int DifferentPixels(const QImage& a, const QImage& b) {
  if (a.isNull() || a.size() != b.size()) return a.width() * a.height() + 1;
  int different = 0;
  for (int y = 0; y < a.height(); ++y) {
    const uchar* lineA = a.constScanLine(y);
    const uchar* lineB = b.constScanLine(y);
    for (int x = 0; x < a.width() * 3; x += 3) {
      int largest = 0;
      for (int c = 0; c < 3; ++c)
        largest = std::max(largest, std::abs(lineA[x + c] - lineB[x + c]));
      different += largest > 64;
    }
  }
  return different;
}

TEST_F(ConverterFront, EveryCommandLineFormWritesAReadableFile) {
  struct Format {
    QString codec, extension, container, video, audio;
  };
  const Format formats[] = {{kMpgCodec, ".mpg", "mpeg", "mpeg1video", "mp2"},
                            {kFlvCodec, ".flv", "flv", "flv1", "mp3"},
                            {kMp4Codec, ".mp4", "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", "aac"}};
  struct Row {
    QString name, commandLine, output;
    Format format;
    QString width;
  };
  std::vector<Row> rows;
  for (const Format& format : formats) {
    for (const bool sized : {false, true}) {
      const QString output = folder("cut" + QString::number(sized) + format.extension);
      rows.push_back({"cut" + format.extension + (sized ? " sized" : ""),
                      "lib/ffmpeg -y  -t 1.5  -i " + QuotePath(source) +
                          " -async 100 -r 30  -ss 2 " + (sized ? " -s 320x240 " : "") +
                          format.codec + QuotePath(output),
                      output, format, sized ? "320" : "160"});
    }
    const QString output = folder("joint" + format.extension);
    rows.push_back({"joint" + format.extension,
                    "lib/ffmpeg -y -i " + QuotePath(source) + " -async 100 -r 30  -s 320x240 " +
                        format.codec + QuotePath(output),
                    output, format, "320"});
  }
  const QString dvdOutput = folder("VTS_01_1.mpg");
  rows.push_back(
      {"DVD",
       "lib/ffmpeg -y -i " + QuotePath(source) +
           " -vcodec mpeg1video -async 1000  -r 30 -acodec mp2 -b 4096kb -ac 2 -ar 48000 "
           "-ab 256k -f mpeg " +
           QuotePath(dvdOutput),
       dvdOutput, formats[0], "160"});

  for (const Row& row : rows) {
    SCOPED_TRACE(row.name.toStdString());
    ASSERT_EQ(Run(row.commandLine), 0) << log.toStdString();
    EXPECT_EQ(Probe(row.output, "format=format_name"), row.format.container);
    EXPECT_EQ(Probe(row.output, "stream=codec_name", "v:0"), row.format.video);
    EXPECT_EQ(Probe(row.output, "stream=codec_name", "a:0"), row.format.audio);
    EXPECT_EQ(Probe(row.output, "stream=width", "v:0"), row.width);
  }
}

TEST_F(ConverterFront, CutWritesItsDurationFromItsStart) {
  // The clip has 25 frames a second. A start up to 3 s is decoded from the
  // beginning and exact. A later one is sought first; it may begin one frame
  // early where the stream's time stamps are rounded, while a plain seek in
  // an MPEG program stream lands frames or a whole group of pictures late.
  const struct {
    const char* start;
    int frame;
    bool frameBeforeToo;
  } cases[] = {{"2", 50, false}, {"5.2", 130, true}, {"6.12", 153, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    const QString output = folder("cut.mpg");
    ASSERT_EQ(Run("lib/ffmpeg -y  -t 1.5  -i " + QuotePath(source) + " -async 100 -r 30  -ss " +
                  c.start + "  -s 160x120 " + kMpgCodec + QuotePath(output)),
              0)
        << log.toStdString();
    EXPECT_NEAR(Probe(output, "format=duration").toDouble(), 1.5, 0.15);
    const QImage first = Frame(output, 0);
    int difference = DifferentPixels(first, Frame(source, c.frame));
    if (c.frameBeforeToo)
      difference = std::min(difference, DifferentPixels(first, Frame(source, c.frame - 1)));
    EXPECT_LT(difference, 50);
    EXPECT_GT(DifferentPixels(first, Frame(source, c.frame + 1)), 50);
  }
}

TEST_F(ConverterFront, BothThumbnailFormsWriteAJpeg) {
  const QString thumb = folder("thumb.jpg");
  const QString forms[] = {"lib/ffmpeg -y -i " + QuotePath(source) +
                               " -ss 2 -vframes 1 -an -vcodec mjpeg -f mjpeg " + QuotePath(thumb),
                           "lib/ffmpeg -y  -ss 2 -vframes 1 -i " + QuotePath(source) +
                               " -an -vcodec mjpeg -f mjpeg " + QuotePath(thumb)};
  for (const QString& commandLine : forms) {
    QFile::remove(thumb);
    ASSERT_EQ(Run(commandLine), 0) << log.toStdString();
    QFile file(thumb);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == "\xFF\xD8");
    EXPECT_EQ(QImage(thumb, "JPEG").size(), QSize(160, 120));
  }
}

TEST_F(ConverterFront, NastyPathsReachTheConverterAsOneArgumentEach) {
  const testing_support::ScopedEnvironment converter("LOOM_FFMPEG",
                                                     testing_support::FakeConverterPath().toUtf8());
  const QString recorded = folder("arguments.bin");
  const testing_support::ScopedEnvironment script("FAKE_CONVERTER_SCRIPT",
                                                  "args:" + recorded.toUtf8());
  const QStringList paths = {folder("a b/動画 ファイル.mpg"),
                             "/x/\"quoted\" name.VOB",
                             "-leading.mpg",
                             "-ss",
                             "/line\nbreak.mpg",
                             "C:\\trailing\\",
                             folder("-t 1.mpg")};
  QStringList expected = {"-y"};
  QString commandLine = "lib/ffmpeg -y";
  for (const QString& path : paths.mid(0, paths.size() - 1)) {
    commandLine += " -i " + QuotePath(path);
    expected << "-i" << path;
  }
  commandLine += " " + QuotePath(paths.last());
  expected << paths.last();

  ASSERT_EQ(Run(commandLine), 0) << log.toStdString();
  QFile file(recorded);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QStringList arguments = QString::fromUtf8(file.readAll()).split(QChar(0));
  arguments.removeLast();  // after the last terminating NUL
  EXPECT_EQ(arguments, expected);
}

TEST_F(ConverterFront, MissingSystemConverterEndsWith127) {
  const testing_support::ScopedEnvironment converter("LOOM_FFMPEG", "/nonexistent/ffmpeg");
  QProcess front;
  front.start(testing_support::ConverterFrontPath(), {"-y", "-i", source, folder("out.mpg")});
  ASSERT_TRUE(front.waitForFinished(60000));
  EXPECT_EQ(front.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(front.exitCode(), 127);
  const QString error = QString::fromUtf8(front.readAllStandardError());
  EXPECT_EQ(error.count('\n'), 1);
  EXPECT_TRUE(error.contains("/nonexistent/ffmpeg")) << error.toStdString();
}

}  // namespace
