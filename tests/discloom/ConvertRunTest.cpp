// The conversion run of the main window against the scripted fake converter:
// names, outcomes, chaining, cancel and the end of a run.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

#include "discloom/UnitMain.h"
#include "platform/DosCommand.h"
#include "platform/PictureButton.h"
#include "tests/support/Converters.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempFolder.h"

namespace {

using discloom::TConvertState;
using discloom::TFormMain;
using testing_support::ScopedEnvironment;
using testing_support::ScriptedPrompts;
using testing_support::TempFolder;

const QString kDone = QStringLiteral("変換が完了しました");

class ConvertRun : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::InstallFakeConverter(programs.Path());
    window.DosCommandConvert->SetProgramFolder(programs.Path());
    window.EditSaveDir->setText(out.Path() + "/");
    window.OpenFolder = [this](const QString& folder) { opened << folder; };
  }

  void Queue(const QStringList& names) {
    for (const QString& name : names) window.AddConvertFile(sources.Touch(name, "vob"));
    window.RefreshFileList();
  }

  QStringList States() const {
    QStringList states;
    for (int i = 0; i < window.ListViewConvertFile->rowCount(); ++i) {
      states << window.ListViewConvertFile->item(i, 1)->text();
    }
    return states;
  }

  QStringList Texts() const {
    QStringList texts;
    for (const auto& shown : prompts.Shown()) texts << shown.text;
    return texts;
  }

  bool Idle() const {
    return window.PngBtnConvertMovie->isEnabled() && !window.PngBtnConvertCancel->isEnabled();
  }

  TempFolder programs, sources, out;
  ScriptedPrompts prompts;
  TFormMain window{prompts};
  QStringList opened;
};

TEST_F(ConvertRun, TwoCopiesOfOneFileGetTheirOwnOutputsAndTheFolderOpensAfterwards) {
  Queue({"VTS_01_1.VOB"});
  window.AddConvertFile(sources("VTS_01_1.VOB"));
  window.RefreshFileList();
  window.CBOpenDir->setChecked(true);
  prompts.ExpectMessage();

  window.BtnConvertClick();

  EXPECT_EQ(Texts(), QStringList{kDone});
  EXPECT_EQ(States(), QStringList({"変換完了", "変換完了"}));
  EXPECT_EQ(window.ConvertList.GetConvertInfo(0).OutputFileName, out("VTS_01_1.mpg"));
  EXPECT_EQ(window.ConvertList.GetConvertInfo(1).OutputFileName, out("VTS_01_1(1).mpg"));
  EXPECT_TRUE(QFile::exists(out("VTS_01_1.mpg")));
  EXPECT_TRUE(QFile::exists(out("VTS_01_1(1).mpg")));
  EXPECT_EQ(opened, QStringList{out.Path() + "/"});
  EXPECT_TRUE(Idle());
  EXPECT_EQ(window.LblSituation->text(), "");
}

TEST_F(ConvertRun, ExitCodesDecideTheStateAndTheRunGoesOn) {
  ScopedEnvironment script("FAKE_CONVERTER_SCRIPT",
                           "out:frame= 1 time=00:00:01.00 bitrate=1\\r\nonly:bad\nexit:1\nall\n"
                           "err:warning: something odd\\n\nwrite");
  Queue({"a.VOB", "bad.VOB", "c.VOB"});
  prompts.ExpectMessage();

  window.BtnConvertClick();

  EXPECT_EQ(States(), QStringList({"変換完了", "変換失敗", "変換完了"}));
  EXPECT_EQ(Texts(), QStringList{kDone});
  EXPECT_TRUE(opened.isEmpty());
  // Nothing ever touches a source.
  QFile source(sources("bad.VOB"));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  EXPECT_EQ(source.readAll(), "vob");

  // A failed item waits again at the next run; the converted ones leave first.
  ScopedEnvironment succeed("FAKE_CONVERTER_SCRIPT", "write");
  prompts.ExpectMessage();
  prompts.ExpectMessage();
  window.BtnConvertClick();
  EXPECT_EQ(Texts().mid(1), QStringList({"変換完了した動画はリストから削除されます", kDone}));
  EXPECT_EQ(States(), QStringList({"変換完了"}));
}

TEST_F(ConvertRun, AMissingConverterFailsEveryItemAndTheRunStillEnds) {
  TempFolder empty;
  window.DosCommandConvert->SetProgramFolder(empty.Path());
  Queue({"a.VOB", "b.VOB"});
  prompts.ExpectMessage();
  prompts.ExpectMessage();
  prompts.ExpectMessage();

  window.BtnConvertClick();

  const QStringList texts = Texts();
  ASSERT_EQ(texts.size(), 3);
  EXPECT_EQ(texts[0], "lib/ffmpeg -y -i \"" + sources("a.VOB") +
                          "\" -vcodec mpeg1video -async 1000  -r 30 -acodec mp2 -b 4096kb -ac 2 "
                          "-ar 48000 -ab 256k -f mpeg \"" +
                          out("a.mpg") + "\" doesn't exist.");
  EXPECT_TRUE(texts[1].endsWith(" doesn't exist."));
  EXPECT_EQ(texts[2], kDone);
  EXPECT_EQ(States(), QStringList({"変換失敗", "変換失敗"}));
  EXPECT_TRUE(Idle());
}

TEST_F(ConvertRun, AnEmptyQueueAsksForFilesAndStaysIdle) {
  prompts.ExpectMessage();
  window.BtnConvertClick();
  EXPECT_EQ(Texts(), QStringList{"変換する動画をリストに追加してください"});
  EXPECT_TRUE(Idle());
}

TEST_F(ConvertRun, CancelDuringTheSecondOfThreeLeavesItWaitingWithoutItsPartialFile) {
  ScopedEnvironment script("FAKE_CONVERTER_SCRIPT",
                           "only:VTS_02\nwrite:partial\nout:time=12.5 bitrate=1\\n\nhang\nall\n"
                           "write");
  Queue({"VTS_01_1.VOB", "VTS_02_1.VOB", "VTS_03_1.VOB"});
  const QString partial = out("VTS_02_1.mpg");

  // Answered No first (the run goes on), then Yes.
  prompts.ExpectYesNo(false);
  prompts.ExpectYesNo(true);
  int cancels = 0;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &window, [&] {
    const auto* second =
        window.ConvertList.Count() > 1 ? &window.ConvertList.GetConvertInfo(1) : nullptr;
    if (cancels < 2 && second && second->State == TConvertState::csConverting &&
        QFile::exists(partial) && !window.LblSituation->text().isEmpty()) {
      ++cancels;
      window.PngBtnConvertCancelClick();
    }
  });
  poll.start(5);

  window.BtnConvertClick();
  poll.stop();

  EXPECT_EQ(cancels, 2);
  EXPECT_EQ(States(), QStringList({"変換完了", "変換待ち", "変換待ち"}));
  EXPECT_FALSE(QFile::exists(partial));
  EXPECT_FALSE(window.DosCommandConvert->IsRunning());
  EXPECT_EQ(window.LblSituation->text(), "");
  EXPECT_FALSE(window.Cancelling);
  EXPECT_TRUE(Idle());
  EXPECT_EQ(prompts.Shown().size(), 2u);  // no end-of-run message after a cancel

  ScopedEnvironment finish("FAKE_CONVERTER_SCRIPT", "write");
  prompts.ExpectMessage();
  prompts.ExpectMessage();
  window.BtnConvertClick();
  EXPECT_EQ(Texts().mid(2), QStringList({"変換完了した動画はリストから削除されます", kDone}));
  EXPECT_EQ(States(), QStringList({"変換完了", "変換完了"}));
  EXPECT_EQ(window.ConvertList.GetConvertInfo(0).OutputFileName, partial);
}

TEST_F(ConvertRun, ALongQueueRunsThroughWithoutNestingOneWaitPerFile) {
  ScopedEnvironment script("FAKE_CONVERTER_SCRIPT", "exit:0");
  QStringList names;
  for (int i = 0; i < 300; ++i) names << QString("VTS_%1_1.VOB").arg(i, 3, 10, QChar('0'));
  Queue(names);
  prompts.ExpectMessage();

  window.BtnConvertClick();

  EXPECT_EQ(States(), QStringList(300, "変換完了"));
  EXPECT_EQ(Texts(), QStringList{kDone});
}

TEST_F(ConvertRun, ProgressLinesWriteTheTextUnderTheList) {
  const struct {
    QString line;
    QString text;
  } steps[] = {
      {"frame= 2500 fps= 95 q=2.0 size= 21000kB time=83.40 bitrate=2062.9kbits/s",
       "00時間01分23秒までの動画を変換完了"},
      {"frame=  100 time=N/A bitrate=N/A", "00時間01分23秒までの動画を変換完了"},
      {"size= 1kB time=00:00:02.00", "00時間01分23秒までの動画を変換完了"},
      {"frame= 9 time=01:02:05.50 bitrate=1", "01時間02分06秒までの動画を変換完了"},
  };
  for (const auto& step : steps) {
    window.DosCommandConvertNewLine(step.line, 0);
    EXPECT_EQ(window.LblSituation->text(), step.text) << step.line.toStdString();
  }
}

}  // namespace
