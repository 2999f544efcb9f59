#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <memory>

#include "discloom/UnitMain.h"
#include "discloom/UnitSelectDVD.h"
#include "discloom/ZoConvertInfo.h"
#include "platform/DosCommand.h"
#include "platform/PictureButton.h"
#include "tests/support/Converters.h"
#include "tests/support/FakeDiscSystem.h"
#include "tests/support/MediaMaker.h"
#include "tests/support/ScriptedPrompts.h"

namespace {

using discloom::TConvertState;
using discloom::TFormSelectDVD;
using discloom::ZoConvertInfoObjectList;
using testing_support::FakeDiscSystem;
using testing_support::PromptKind;
using testing_support::ScriptedPrompts;
using testing_support::TempFolder;

QStringList Entries(const QComboBox& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
  return texts;
}

QStringList Entries(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
  return texts;
}

QStringList Sorted(QStringList texts) {
  texts.sort();
  return texts;
}

void Select(QListWidget& list, const QStringList& names) {
  list.clearSelection();
  for (const QString& name : names) {
    const QList<QListWidgetItem*> items = list.findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    items[0]->setSelected(true);
  }
}

// Disc folders stand in for mount points: a drive whose root is a folder is
// ready, one whose root is its device path is not.
bool IsDiscFolder(const QString& root) { return QFileInfo(root).isDir(); }

// Drives and discs on a fake system; each disc is a folder mounted as udf.
class SelectDVD : public ::testing::Test {
 protected:
  // A standard DVD-Video layout whose title set files carry `title`.
  QString MakeDisc(const QString& name, const QString& title = "01") {
    for (const QString file : {"VIDEO_TS.IFO", "VIDEO_TS.BUP", "VIDEO_TS.VOB"}) {
      discs.Touch(name + "/VIDEO_TS/" + file);
    }
    for (const QString file : {"_0.IFO", "_0.BUP", "_0.VOB", "_1.VOB", "_2.VOB"}) {
      discs.Touch(name + "/VIDEO_TS/VTS_" + title + file);
    }
    discs.MakeFolder(name + "/AUDIO_TS");
    return discs(name) + "/";
  }
  // An optical drive `device` holding the disc folder `root`.
  void InsertDisc(const QString& device, const QString& root) {
    system.AddBlockDevice(device);
    system.Mount(system.Device(device), root.chopped(1), "udf");
  }
  std::unique_ptr<TFormSelectDVD> MakeDialog() {
    return std::make_unique<TFormSelectDVD>(prompts, platform::OpticalDrives(system.Roots()),
                                            IsDiscFolder);
  }
  static void Activate(TFormSelectDVD& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  FakeDiscSystem system;
  TempFolder discs;
  ScriptedPrompts prompts;
};

TEST_F(SelectDVD, WindowAndControlsStandWhereTheyBelong) {
  const auto dialog = MakeDialog();
  EXPECT_EQ(dialog->windowTitle(), "チャプター選択画面");
  EXPECT_EQ(dialog->size(), QSize(310, 308));
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
  EXPECT_FALSE(dialog->windowFlags() &
               (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(dialog->isModal());
  EXPECT_FALSE(dialog->isVisible());

  const struct {
    QWidget* control;
    QRect geometry;
    QString words;
  } controls[] = {
      {dialog->ImageBG, {0, 0, 314, 311}, ""},
      {dialog->CBDriveList, {20, 38, 203, 20}, ""},
      {dialog->PngBtnRefreshChapterList, {231, 33, 65, 32}, "更新"},
      {dialog->LBChapter, {20, 94, 274, 110}, ""},
      {dialog->PngBtnSelectAll, {16, 212, 73, 32}, "全選択"},
      {dialog->PngBtnAnSelectAll, {104, 212, 85, 32}, "全選択解除"},
      {dialog->PngBtnOK, {125, 265, 73, 38}, "OK"},
      {dialog->PngBtnCancel, {212, 265, 84, 38}, "キャンセル"},
  };
  for (const auto& c : controls) {
    EXPECT_EQ(c.control->geometry(), c.geometry) << c.control->metaObject()->className();
    if (auto* button = qobject_cast<platform::PictureButton*>(c.control)) {
      EXPECT_EQ(button->Words(), c.words);
      EXPECT_TRUE(button->text().isEmpty());
    }
  }
  EXPECT_FALSE(dialog->CBDriveList->isEditable());
  EXPECT_EQ(dialog->LBChapter->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_FALSE(dialog->LBChapter->isSortingEnabled());
  EXPECT_EQ(dialog->CBDriveList->nextInFocusChain(), dialog->LBChapter);
}

TEST_F(SelectDVD, AtCreationTheFirstDriveIsChosenAndItsChaptersListed) {
  const QString movie = MakeDisc("movie");
  InsertDisc("sr0", movie);
  system.AddBlockDevice("sr1");
  system.AddLabelLink("MY\\x20MOVIE", "sr0");

  const auto dialog = MakeDialog();
  EXPECT_EQ(Entries(*dialog->CBDriveList),
            QStringList({movie + "[MY MOVIE]", system.Device("sr1") + "[]"}));
  EXPECT_EQ(dialog->CBDriveList->currentIndex(), 0);
  EXPECT_EQ(dialog->GetSelectedDrive(), movie);
  EXPECT_EQ(Sorted(Entries(*dialog->LBChapter)), QStringList({"VTS_01_0", "VTS_01_1", "VTS_01_2"}));
  EXPECT_FALSE(dialog->CloseAllowed());
  EXPECT_FALSE(dialog->Accepted());
}

TEST_F(SelectDVD, AnEmptyDriveAsksForADiscOnlyWhileTheDialogIsActive) {
  system.AddBlockDevice("sr0");
  const auto dialog = MakeDialog();  // hidden: no message
  EXPECT_EQ(Entries(*dialog->CBDriveList), QStringList({system.Device("sr0") + "[]"}));
  dialog->BtnRefreshChapterListClick();
  EXPECT_TRUE(prompts.Shown().empty());

  Activate(*dialog);
  prompts.ExpectMessage();
  QTest::mouseClick(dialog->PngBtnRefreshChapterList, Qt::LeftButton);
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "ドライブにディスクを挿入してください");
  EXPECT_EQ(prompts.Shown()[0].caption, "情報");
  EXPECT_EQ(prompts.Shown()[0].icon, platform::PromptIcon::None);
  EXPECT_EQ(dialog->LBChapter->count(), 0);

  prompts.ExpectMessage();
  dialog->CBDriveListChange();
  EXPECT_EQ(prompts.Shown().size(), 2u);
}

TEST_F(SelectDVD, WithoutAnyDriveBothListsStayEmptyAndOkAsksForAChapter) {
  const auto dialog = MakeDialog();
  EXPECT_EQ(dialog->CBDriveList->count(), 0);
  EXPECT_EQ(dialog->LBChapter->count(), 0);
  EXPECT_EQ(dialog->GetSelectedDrive(), "");

  Activate(*dialog);
  dialog->BtnRefreshChapterListClick();
  EXPECT_TRUE(prompts.Shown().empty());
  prompts.ExpectMessage();
  QTest::mouseClick(dialog->PngBtnOK, Qt::LeftButton);
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "チャプターを選択してください");
  EXPECT_EQ(prompts.Shown()[0].caption, "情報");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->Accepted());
}

TEST_F(SelectDVD, RemovingTheChosenDriveLeavesNoneChosenUntilTheNextRefresh) {
  const QString d = MakeDisc("d", "01"), f = MakeDisc("f", "02");
  InsertDisc("sr0", d);
  InsertDisc("sr1", f);
  const auto dialog = MakeDialog();
  dialog->CBDriveList->setCurrentIndex(1);
  dialog->CBDriveListChange();
  EXPECT_EQ(Sorted(Entries(*dialog->LBChapter)), QStringList({"VTS_02_0", "VTS_02_1", "VTS_02_2"}));

  system.RemoveBlockDevice("sr1");
  system.ClearMounts();
  system.Mount(system.Device("sr0"), d.chopped(1), "udf");
  dialog->BtnRefreshChapterListClick();
  EXPECT_EQ(Entries(*dialog->CBDriveList), QStringList({d + "[]"}));
  EXPECT_EQ(dialog->CBDriveList->currentIndex(), -1);
  EXPECT_EQ(dialog->GetSelectedDrive(), "");
  EXPECT_EQ(dialog->LBChapter->count(), 0);

  // With nothing remembered, the next refresh chooses the first drive.
  dialog->BtnRefreshChapterListClick();
  EXPECT_EQ(dialog->CBDriveList->currentIndex(), 0);
  EXPECT_EQ(Sorted(Entries(*dialog->LBChapter)), QStringList({"VTS_01_0", "VTS_01_1", "VTS_01_2"}));
}

TEST_F(SelectDVD, TheRememberedPositionChoosesWhicheverDriveNowHoldsIt) {
  const QString a = MakeDisc("a", "01"), b = MakeDisc("b", "02"), c = MakeDisc("c", "03");
  InsertDisc("sr0", a);
  InsertDisc("sr1", b);
  InsertDisc("sr2", c);
  const auto dialog = MakeDialog();
  dialog->CBDriveList->setCurrentIndex(1);
  dialog->CBDriveListChange();

  system.RemoveBlockDevice("sr0");
  dialog->BtnRefreshChapterListClick();
  EXPECT_EQ(dialog->CBDriveList->currentIndex(), 1);
  EXPECT_EQ(dialog->GetSelectedDrive(), c);
  EXPECT_EQ(Sorted(Entries(*dialog->LBChapter)), QStringList({"VTS_03_0", "VTS_03_1", "VTS_03_2"}));
}

TEST_F(SelectDVD, OkWithoutSelectionKeepsTheDialogOpenAndAcceptedAsItWas) {
  InsertDisc("sr0", MakeDisc("movie"));
  const auto dialog = MakeDialog();

  dialog->open();
  prompts.ExpectMessage();
  QTest::mouseClick(dialog->PngBtnOK, Qt::LeftButton);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->Accepted());
  EXPECT_FALSE(dialog->CloseAllowed());

  Select(*dialog->LBChapter, {"VTS_01_1"});
  QTest::mouseClick(dialog->PngBtnOK, Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->Accepted());
  EXPECT_TRUE(dialog->CloseAllowed());

  // The next showing starts as the last one ended.
  dialog->open();
  EXPECT_EQ(dialog->LBChapter->selectedItems().size(), 1);
  QTest::mouseClick(dialog->PngBtnAnSelectAll, Qt::LeftButton);
  EXPECT_TRUE(dialog->LBChapter->selectedItems().isEmpty());
  prompts.ExpectMessage();
  QTest::mouseClick(dialog->PngBtnOK, Qt::LeftButton);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(dialog->Accepted());
  EXPECT_FALSE(dialog->CloseAllowed());

  QTest::mouseClick(dialog->PngBtnCancel, Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(dialog->Accepted());
}

TEST_F(SelectDVD, EscapeAndOutsideClosesActAsCancel) {
  InsertDisc("sr0", MakeDisc("movie"));
  const auto dialog = MakeDialog();
  const struct {
    const char* name;
    std::function<void()> close;
  } closes[] = {
      {"escape", [&] { QTest::keyClick(dialog.get(), Qt::Key_Escape); }},
      {"window manager", [&] { dialog->close(); }},
  };
  for (const auto& c : closes) {
    SCOPED_TRACE(c.name);
    dialog->open();
    QTest::mouseClick(dialog->PngBtnSelectAll, Qt::LeftButton);
    EXPECT_EQ(dialog->LBChapter->selectedItems().size(), 3);
    QTest::mouseClick(dialog->PngBtnOK, Qt::LeftButton);
    ASSERT_TRUE(dialog->Accepted());

    dialog->open();
    c.close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->Accepted());
  }
}

TEST_F(SelectDVD, AShowingRefreshesNothing) {
  InsertDisc("sr0", MakeDisc("movie"));
  const auto dialog = MakeDialog();
  InsertDisc("sr1", MakeDisc("later"));
  discs.Touch("movie/VIDEO_TS/VTS_02_1.VOB");

  dialog->open();
  EXPECT_EQ(dialog->CBDriveList->count(), 1);
  EXPECT_EQ(dialog->LBChapter->count(), 3);
  dialog->BtnRefreshChapterListClick();
  EXPECT_EQ(dialog->CBDriveList->count(), 2);
  EXPECT_EQ(dialog->LBChapter->count(), 4);
}

QStringList Sources(const ZoConvertInfoObjectList& queue) {
  QStringList paths;
  for (int i = 0; i < queue.Count(); ++i) {
    EXPECT_EQ(queue.GetConvertInfo(i).State, TConvertState::csWaiting);
    paths << queue.GetConvertInfo(i).SourceFileName;
  }
  return paths;
}

TEST_F(SelectDVD, OkQueuesTheSelectedChaptersAsWaitingInListOrder) {
  const QString movie = MakeDisc("movie");
  InsertDisc("sr0", movie);
  const auto dialog = MakeDialog();
  ZoConvertInfoObjectList queue;

  dialog->open();
  Select(*dialog->LBChapter, {"VTS_01_1"});
  QTest::mouseClick(dialog->PngBtnOK, Qt::LeftButton);
  ASSERT_TRUE(dialog->Accepted());
  dialog->AddSelectedChapters(queue);
  EXPECT_EQ(Sources(queue), QStringList({movie + "VIDEO_TS/VTS_01_1.VOB"}));

  QStringList all;
  for (const QString& name : Entries(*dialog->LBChapter))
    all << movie + "VIDEO_TS/" + name + ".VOB";
  for (int showing = 0; showing < 2; ++showing) {
    dialog->open();
    QTest::mouseClick(dialog->PngBtnSelectAll, Qt::LeftButton);
    QTest::mouseClick(dialog->PngBtnOK, Qt::LeftButton);
    dialog->AddSelectedChapters(queue);
  }
  EXPECT_EQ(Sources(queue), QStringList({movie + "VIDEO_TS/VTS_01_1.VOB"}) + all + all);
}

TEST_F(SelectDVD, AChapterOutsideVideoTsQueuesTheFileThatWasListed) {
  const QString disc = MakeDisc("disc");
  discs.Touch("disc/EXTRA/VTS_01_1.VOB");
  InsertDisc("sr0", disc);
  const auto dialog = MakeDialog();
  dialog->BtnSelectAllClick();
  ZoConvertInfoObjectList queue;
  dialog->AddSelectedChapters(queue);

  QStringList paths = Sources(queue);
  paths.sort();
  EXPECT_EQ(paths, QStringList({disc + "EXTRA/VTS_01_1.VOB", disc + "VIDEO_TS/VTS_01_0.VOB",
                                disc + "VIDEO_TS/VTS_01_1.VOB", disc + "VIDEO_TS/VTS_01_2.VOB"}));
}

TEST_F(SelectDVD, TheMainWindowQueuesWhatThePickerAcceptsAndNothingOnCancel) {
  InsertDisc("sr0", MakeDisc("movie"));
  discloom::TFormMain formMain(prompts);
  TFormSelectDVD picker(prompts, platform::OpticalDrives(system.Roots()), IsDiscFolder, &formMain);
  formMain.FormSelectDVD = &picker;
  formMain.show();

  // Acts inside the picker's modal showing once it is up.
  const auto whenShown = [&](std::function<void()> act) {
    QTimer::singleShot(0, &picker, [&picker, act] {
      EXPECT_TRUE(picker.isVisible());
      act();
    });
  };
  whenShown([&] {
    Select(*picker.LBChapter, {"VTS_01_2", "VTS_01_1"});
    QTest::mouseClick(picker.PngBtnOK, Qt::LeftButton);
  });
  QTest::mouseClick(formMain.PngBtnAddDVD, Qt::LeftButton);
  ASSERT_EQ(formMain.ListViewConvertFile->rowCount(), 2);
  QStringList rows;
  for (int row = 0; row < 2; ++row) {
    rows << formMain.ListViewConvertFile->item(row, 0)->text();
    EXPECT_EQ(formMain.ListViewConvertFile->item(row, 1)->text(), "変換待ち");
  }
  rows.sort();
  EXPECT_EQ(rows, QStringList({"VTS_01_1.VOB", "VTS_01_2.VOB"}));

  whenShown([&] { QTest::mouseClick(picker.PngBtnCancel, Qt::LeftButton); });
  QTest::mouseClick(formMain.PngBtnAddDVD, Qt::LeftButton);
  EXPECT_EQ(formMain.ConvertList.Count(), 2);
  EXPECT_FALSE(picker.isVisible());
}

// Runs dvdauthor with `arguments`; returns its output when it failed.
QString RunDvdauthor(const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable("dvdauthor");
  if (program.isEmpty()) return "dvdauthor is not installed";
  QProcess dvdauthor;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("VIDEO_FORMAT", "NTSC");
  dvdauthor.setProcessEnvironment(environment);
  dvdauthor.setProcessChannelMode(QProcess::MergedChannels);
  dvdauthor.start(program, arguments);
  const bool finished = dvdauthor.waitForFinished(60000);
  const QString output = QString::fromUtf8(dvdauthor.readAll());
  return finished && dvdauthor.exitStatus() == QProcess::NormalExit && dvdauthor.exitCode() == 0
             ? QString()
             : output;
}

TEST_F(SelectDVD, ADiscAuthoredByDvdauthorListsAndQueuesItsTitleSets) {
  testing_support::ClipOptions options;
  options.seconds = 2;
  options.outputOptions = {"-target", "ntsc-dvd"};
  QString log;
  const QString clip = discs("clip.mpg");
  ASSERT_TRUE(testing_support::MakeClip(clip, options, &log)) << log.toStdString();

  // Two title sets, then the disc's table of contents.
  const QString disc = discs.MakeFolder("disc") + "/";
  for (int title = 0; title < 2; ++title) {
    ASSERT_EQ(RunDvdauthor({"-o", disc, "-t", clip}), "");
  }
  ASSERT_EQ(RunDvdauthor({"-o", disc, "-T"}), "");
  InsertDisc("sr0", disc);

  QStringList expected;
  for (const QString& name : QDir(disc + "VIDEO_TS").entryList({"*.VOB"}, QDir::Files)) {
    if (name != "VIDEO_TS.VOB") expected << name.chopped(4);
  }
  ASSERT_EQ(expected, QStringList({"VTS_01_1", "VTS_02_1"}));

  const auto dialog = MakeDialog();
  EXPECT_EQ(Sorted(Entries(*dialog->LBChapter)), expected);
  dialog->BtnSelectAllClick();
  ZoConvertInfoObjectList queue;
  dialog->AddSelectedChapters(queue);
  ASSERT_EQ(queue.Count(), 2);
  for (const QString& source : Sources(queue)) {
    EXPECT_TRUE(source.startsWith(disc + "VIDEO_TS/VTS_0")) << source.toStdString();
    EXPECT_EQ(testing_support::Probe(source, "stream=codec_name", "v:0"), "mpeg2video");
  }

  // The queued title sets convert through the main window's run.
  TempFolder out;
  discloom::TFormMain window(prompts);
  window.DosCommandConvert->SetProgramFolder(testing_support::BuiltProgramFolder());
  window.EditSaveDir->setText(out.Path() + "/");
  dialog->AddSelectedChapters(window.ConvertList);
  window.RefreshFileList();
  prompts.ExpectMessage();
  window.BtnConvertClick();
  for (const QString& name : expected) {
    const QString output = out(name + ".mpg");
    EXPECT_EQ(testing_support::Probe(output, "stream=codec_name", "v:0"), "mpeg1video")
        << output.toStdString();
    EXPECT_EQ(testing_support::Probe(output, "stream=codec_name", "a:0"), "mp2");
  }
  EXPECT_EQ(prompts.Shown().back().text, "変換が完了しました");
}

}  // namespace
