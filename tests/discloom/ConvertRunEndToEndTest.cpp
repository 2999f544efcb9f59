// DiscLoom's run through the real converter front on video object files
// made at test time.

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTableWidget>

#include "discloom/UnitMain.h"
#include "platform/DosCommand.h"
#include "tests/support/Converters.h"
#include "tests/support/MediaMaker.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempFolder.h"

namespace {

using testing_support::Probe;
using testing_support::TempFolder;

// MPEG-2 video with MPEG audio in an MPEG program stream, as on a DVD.
QString MakeVob(const TempFolder& folder, const QString& name, double seconds,
                const QStringList& audio) {
  testing_support::ClipOptions options;
  options.seconds = seconds;
  options.outputOptions = QStringList{"-c:v", "mpeg2video", "-b:v", "800k"} + audio +
                          QStringList{"-ar", "48000", "-f", "vob"};
  QString log;
  const QString path = folder("VIDEO_TS/" + name);
  folder.MakeFolder("VIDEO_TS");
  EXPECT_TRUE(testing_support::MakeClip(path, options, &log)) << log.toStdString();
  return path;
}

TEST(ConvertRunEndToEnd, VobFilesBecomeMpeg1AndACorruptOneFailsAlone) {
  TempFolder disc, out;
  const QString first = MakeVob(disc, "VTS_01_1.VOB", 3.0, {"-c:a", "mp2"});
  const QString corrupt = disc.Touch("VIDEO_TS/VTS_01_2.VOB", QByteArray(4096, '\x17'));
  const QString second = MakeVob(disc, "VTS_01_3.VOB", 2.0, {"-c:a", "ac3"});

  testing_support::ScriptedPrompts prompts;
  discloom::TFormMain window(prompts);
  window.DosCommandConvert->SetProgramFolder(testing_support::BuiltProgramFolder());
  window.EditSaveDir->setText(out.Path() + "/");
  for (const QString& source : {first, corrupt, second}) window.AddConvertFile(source);
  window.RefreshFileList();
  prompts.ExpectMessage();

  window.BtnConvertClick();

  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "変換が完了しました");
  QStringList states;
  for (int i = 0; i < 3; ++i) states << window.ListViewConvertFile->item(i, 1)->text();
  EXPECT_EQ(states, QStringList({"変換完了", "変換失敗", "変換完了"}));

  const std::pair<QString, QString> converted[] = {{first, out("VTS_01_1.mpg")},
                                                   {second, out("VTS_01_3.mpg")}};
  for (const auto& [source, output] : converted) {
    ASSERT_TRUE(QFile::exists(output)) << output.toStdString();
    EXPECT_EQ(Probe(output, "format=format_name"), "mpeg");
    EXPECT_EQ(Probe(output, "stream=codec_name", "v:0"), "mpeg1video");
    EXPECT_EQ(Probe(output, "stream=codec_name", "a:0"), "mp2");
    EXPECT_EQ(Probe(output, "stream=sample_rate", "a:0"), "48000");
    EXPECT_NEAR(Probe(output, "format=duration").toDouble(),
                Probe(source, "format=duration").toDouble(), 0.3)
        << output.toStdString();
  }
}

TEST(ConvertRunEndToEnd, AMissingSaveFolderFailsTheItemAndLeavesTheSourceAlone) {
  TempFolder disc;
  const QString source = MakeVob(disc, "VTS_01_1.VOB", 1.0, {"-c:a", "mp2"});
  const QByteArray before = [&] {
    QFile file(source);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();

  testing_support::ScriptedPrompts prompts;
  discloom::TFormMain window(prompts);
  window.DosCommandConvert->SetProgramFolder(testing_support::BuiltProgramFolder());
  window.EditSaveDir->setText(disc("no such folder") + "/");
  window.AddConvertFile(source);
  window.RefreshFileList();
  prompts.ExpectMessage();

  window.BtnConvertClick();

  EXPECT_EQ(window.ListViewConvertFile->item(0, 1)->text(), "変換失敗");
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "変換が完了しました");
  QFile file(source);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
}

}  // namespace
