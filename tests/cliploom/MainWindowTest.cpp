#include "cliploom/UnitFormMain.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QScrollArea>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "platform/PictureButton.h"
#include "platform/ShellFolders.h"
#include "platform/TrackBar.h"
#include "tests/support/FakeMediaDevice.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TemporaryCache.h"
#include "tests/support/WaitUntil.h"

namespace {

using testing_support::FakeMediaDevice;
using testing_support::PromptKind;
using testing_support::ScriptedPrompts;

const QString kGeneric =
    QStringLiteral("ファイルが破損しているかその他の原因のため開くことができません");

// The window over a fake device, with its working folder in a temporary cache.
class MainWindow : public ::testing::Test {
 protected:
  QStringList SourceRows() const {
    QStringList rows;
    for (int row = 0; row < window->LVSorceMov->rowCount(); ++row) {
      rows << window->LVSorceMov->item(row, 0)->text() + " | " +
                  window->LVSorceMov->item(row, 1)->text();
    }
    return rows;
  }

  void Select(int row) { window->LVSorceMov->selectRow(row); }

  testing_support::TemporaryCache cacheHome;
  const testing_support::TempFolder& cache = cacheHome.folder;
  ScriptedPrompts prompts;
  FakeMediaDevice::State device;
  std::unique_ptr<cliploom::TFormMain> window =
      std::make_unique<cliploom::TFormMain>(prompts, std::make_unique<FakeMediaDevice>(device));
};

TEST_F(MainWindow, LayoutMatchesTheFixedDesign) {
  auto& w = *window;
  EXPECT_EQ(w.windowTitle(), "ClipLoom");
  EXPECT_EQ(w.size(), QSize(712, 646));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);

  const std::tuple<QGroupBox*, QRect, const char*> groups[] = {
      {w.GBSorceMov, {5, 4, 353, 408}, "変換元動画リスト"},
      {w.GBPreviewArea, {362, 4, 344, 408}, "プレビュー"},
      {w.GBTargetMov, {5, 416, 700, 226}, "切り取り・結合候補"},
  };
  for (const auto& [group, geometry, caption] : groups) {
    EXPECT_EQ(group->geometry(), geometry) << caption;
    EXPECT_EQ(group->title(), QString::fromUtf8(caption));
  }

  const std::tuple<platform::PictureButton*, QWidget*, QRect, const char*> buttons[] = {
      {w.btnAddSorceMov, w.GBSorceMov, {4, 13, 99, 44}, "追加"},
      {w.btnDelSorceMov, w.GBSorceMov, {107, 13, 99, 44}, "削除"},
      {w.pngBtnLoadMov2Preview,
       w.GBSorceMov,
       {210, 13, 140, 44},
       "変換元の動画をプレビューに読み込む"},
      {w.pngBtnPlayCutZone, w.GBPreviewArea, {5, 283, 122, 47}, "切り取り位置再生"},
      {w.pngBtnPreviewPlay, w.GBPreviewArea, {128, 283, 52, 47}, "再生"},
      {w.pngBtnPreviewStop, w.GBPreviewArea, {181, 283, 52, 47}, "停止"},
      {w.pngBtnPreviewBack, w.GBPreviewArea, {234, 283, 52, 47}, "戻る"},
      {w.pngBtnPreviewStep, w.GBPreviewArea, {287, 283, 53, 47}, "進む"},
      {w.pngBtnMarkStartPos, w.GBPreviewArea, {5, 331, 87, 41}, "切り取り開始位置"},
      {w.pngBtnMarkEndPos, w.GBPreviewArea, {92, 331, 88, 41}, "切り取り終了位置"},
      {w.pngBtnMoveStartPos, w.GBPreviewArea, {182, 331, 79, 41}, "開始位置に移動"},
      {w.pngBtnMoveEndPos, w.GBPreviewArea, {261, 331, 79, 41}, "終了位置に移動"},
      {w.pngBtnMovCut, w.GBPreviewArea, {5, 373, 222, 32}, "切り取り・結合候補に追加"},
      {w.pngBtnTargetMovLeft, w.GBTargetMov, {8, 13, 96, 32}, "左に移動"},
      {w.pngBtnTargetMovRight, w.GBTargetMov, {108, 13, 96, 32}, "右に移動"},
      {w.pngBtnTargetMovDel, w.GBTargetMov, {208, 13, 140, 32}, "リストから削除"},
      {w.pngBtnPlayTargetMov, w.GBTargetMov, {421, 13, 174, 31}, "選択した動画を再生"},
      {w.pngBtnJointSave, w.GBTargetMov, {599, 47, 95, 78}, "結合して保存する"},
      {w.pngBtnIndividuallySave, w.GBTargetMov, {599, 132, 95, 89}, "それぞれ保存する"},
  };
  for (const auto& [button, parent, geometry, words] : buttons) {
    EXPECT_EQ(button->Words(), QString::fromUtf8(words));
    EXPECT_EQ(button->parentWidget(), parent) << words;
    EXPECT_EQ(button->geometry(), geometry) << words;
  }
  EXPECT_EQ(w.pngBtnTargetMovLeft->property("Tag").toInt(), 1);
  EXPECT_EQ(w.pngBtnTargetMovRight->property("Tag").toInt(), 2);

  EXPECT_EQ(w.LVSorceMov->geometry(), QRect(4, 59, 344, 344));
  EXPECT_EQ(w.LVSorceMov->columnCount(), 2);
  EXPECT_EQ(w.LVSorceMov->horizontalHeaderItem(0)->text(), "ファイル名");
  EXPECT_EQ(w.LVSorceMov->horizontalHeaderItem(1)->text(), "ファイルパス");
  EXPECT_EQ(w.LVSorceMov->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(w.LVSorceMov->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(w.PanelMovPreview->geometry(), QRect(12, 14, 320, 240));
  EXPECT_EQ(w.TrackBarPreview->geometry(), QRect(9, 256, 273, 25));
  EXPECT_FALSE(w.TrackBarPreview->isEnabled());
  EXPECT_EQ(w.TrackBarPreview->maximum(), 100);
  EXPECT_EQ(w.TrackBarPreview->pageStep(), 30);
  EXPECT_EQ(w.TrackBarPreview->tickInterval(), 10);
  EXPECT_EQ(w.lblMovTime->text(), "00:00:00");
  EXPECT_EQ(w.ScrollBoxTargetMov->geometry(), QRect(8, 47, 585, 172));
  EXPECT_EQ(w.LVTargetMov->parentWidget()->parentWidget(), w.ScrollBoxTargetMov);
  EXPECT_EQ(w.LVTargetMov->size(), QSize(581, 138));
  EXPECT_EQ(w.LVTargetMov->iconSize(), QSize(64, 64));
  for (QTimer* timer : {w.TimerUpdatePreviewTime, w.TimerPlayCutZone}) {
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 200);
  }
  EXPECT_EQ(w.MediaPlayerPreview->Display(), w.PanelMovPreview);
  EXPECT_EQ(w.MediaPlayerPreview->DeviceType(), cliploom::dtMpegVideo);

  // Only the source list takes drops.
  for (QWidget* widget : w.findChildren<QWidget*>()) {
    EXPECT_EQ(widget->acceptDrops(), widget == w.LVSorceMov || widget == w.LVSorceMov->viewport())
        << widget->metaObject()->className();
  }
}

TEST_F(MainWindow, FoldersEndWithOneDelimiterAndWorkFolderIsCreated) {
  EXPECT_EQ(window->WorkDir, cache.Path() + "/Vorneth/ClipLoom/tmp/");
  EXPECT_TRUE(QFileInfo(window->WorkDir).isDir());
  EXPECT_EQ(window->DesktopDir, platform::DesktopFolder());
  EXPECT_TRUE(window->DesktopDir.endsWith("/") && !window->DesktopDir.endsWith("//"));
  window.reset();
  EXPECT_TRUE(QFileInfo(cache("Vorneth/ClipLoom/tmp")).isDir()) << "left in place at close";
}

TEST_F(MainWindow, AddButtonOffersTheVideoFilterAndAddsWhateverIsPicked) {
  prompts.ExpectOpenFile(std::nullopt);
  prompts.ExpectOpenFile(QStringLiteral("/videos/notes.txt"));
  prompts.ExpectOpenFile(QStringLiteral("/videos/notes.txt"));
  for (int i = 0; i < 3; ++i) window->btnAddSorceMov->click();
  EXPECT_EQ(SourceRows(),
            QStringList({"notes.txt | /videos/notes.txt", "notes.txt | /videos/notes.txt"}));
  ASSERT_EQ(prompts.Shown().size(), 3u);
  EXPECT_EQ(prompts.Shown()[0].text,
            "動画ファイル(*.mpg,*.mpeg,*.wmv,*.avi)|*.mpg;*.mpeg;*.wmv;*.avi;");
  EXPECT_EQ(prompts.Shown()[0].caption, window->DesktopDir);
}

TEST_F(MainWindow, DropAddsVideosInOrderAndWarnsOnceAtTheFirstRefusal) {
  prompts.ExpectMessage();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/d/a.avi"), QUrl::fromLocalFile("/d/b.txt"),
                QUrl::fromLocalFile("/d/c.MPEG"), QUrl::fromLocalFile("/d/d.doc")});
  QWidget* viewport = window->LVSorceMov->viewport();
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  EXPECT_TRUE(drop.isAccepted());
  ASSERT_TRUE(testing_support::WaitUntil([&] { return window->LVSorceMov->rowCount() == 2; }));
  EXPECT_EQ(SourceRows(), QStringList({"a.avi | /d/a.avi", "c.MPEG | /d/c.MPEG"}));
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "「AVI、WMV、MPG」以外のファイルには対応しておりません");
  EXPECT_EQ(prompts.Shown()[0].caption, "ClipLoom");
  EXPECT_EQ(prompts.Shown()[0].icon, platform::PromptIcon::None);
}

TEST_F(MainWindow, DeleteAsksAndRemovesOnlyOnYes) {
  prompts.ExpectMessage();
  window->btnDelSorceMov->click();
  window->AddSorceMov("/d/a.mpg");
  window->AddSorceMov("/d/b.wmv");
  Select(1);
  prompts.ExpectYesNo(false);
  window->btnDelSorceMov->click();
  EXPECT_EQ(window->LVSorceMov->rowCount(), 2);
  prompts.ExpectYesNo(true);
  window->btnDelSorceMov->click();
  EXPECT_EQ(SourceRows(), QStringList({"a.mpg | /d/a.mpg"}));

  ASSERT_EQ(prompts.Shown().size(), 3u);
  EXPECT_EQ(prompts.Shown()[0].text, "変換元動画リストから削除する動画を選択してください");
  EXPECT_EQ(prompts.Shown()[0].caption, "ClipLoom");
  EXPECT_EQ(prompts.Shown()[1].kind, PromptKind::YesNo);
  EXPECT_EQ(prompts.Shown()[1].text, "選択した動画をリストから削除しますか？");
  EXPECT_EQ(prompts.Shown()[1].caption, "確認");
}

TEST_F(MainWindow, LoadWithoutSelectionAsksForOne) {
  window->AddSorceMov("/d/a.mpg");
  window->LVSorceMov->clearSelection();
  prompts.ExpectMessage();
  prompts.ExpectMessage();
  window->pngBtnLoadMov2Preview->click();
  window->LVSorceMovDblClick();
  for (const auto& shown : prompts.Shown()) EXPECT_EQ(shown.text, "変換元の動画を選択してください");
  EXPECT_TRUE(device.calls.isEmpty());
}

TEST_F(MainWindow, LoadOpensFitsPreparesTheTrackBarAndPlays) {
  device.source = QSize(720, 480);
  device.length = 125000;
  window->AddSorceMov("/d/a.mpg");
  Select(0);
  window->CutStartPos = 4000;
  window->CutEndPos = 9000;
  window->LVSorceMovDblClick();
  EXPECT_EQ(device.calls,
            QStringList({"Open /d/a.mpg", "Attach", "Destination 0,13 320x213", "Play"}));
  EXPECT_EQ(window->MediaPlayerPreview->FileName(), "/d/a.mpg");
  EXPECT_EQ(window->CutStartPos, 0);
  EXPECT_EQ(window->CutEndPos, 0);
  EXPECT_TRUE(window->TrackBarPreview->isEnabled());
  EXPECT_EQ(window->TrackBarPreview->maximum(), 125);
  EXPECT_EQ(window->TrackBarPreview->tickInterval(), 12);
  EXPECT_EQ(window->TrackBarPreview->pageStep(), 12);
  EXPECT_TRUE(window->TimerUpdatePreviewTime->isActive());
}

TEST_F(MainWindow, FailedLoadShowsTheGenericMessageAndResetsThePreview) {
  window->AddSorceMov("/d/broken.avi");
  window->AddSorceMov("/d/sound-only.mpg");
  window->TrackBarPreview->SetSelStart(3);
  window->CutEndPos = 5000;
  device.openError = -17;
  Select(0);
  prompts.ExpectMessage();
  window->LVSorceMovDblClick();
  device.openError = 0;
  device.source = QSize();  // opens, but there is no picture to fit
  Select(1);
  prompts.ExpectMessage();
  window->LVSorceMovDblClick();

  ASSERT_EQ(prompts.Shown().size(), 2u);
  for (const auto& shown : prompts.Shown()) {
    EXPECT_EQ(shown.text, kGeneric);
    EXPECT_EQ(shown.caption, "ClipLoom");
  }
  EXPECT_TRUE(window->MediaPlayerPreview->FileName().isEmpty());
  EXPECT_EQ(window->MediaPlayerPreview->Mode(), cliploom::mpNotReady);
  EXPECT_FALSE(window->TrackBarPreview->isEnabled());
  EXPECT_EQ(window->TrackBarPreview->SelStart(), 0);
  EXPECT_EQ(window->CutEndPos, 0);
  EXPECT_EQ(window->MediaPlayerPreview->Display(), window->PanelMovPreview);
}

TEST_F(MainWindow, DeletingTheLoadedRowLeavesThePreviewAsItWas) {
  window->AddSorceMov("/d/a.mpg");
  Select(0);
  window->LVSorceMovDblClick();
  window->CutStartPos = 1000;
  prompts.ExpectYesNo(true);
  window->btnDelSorceMov->click();
  EXPECT_EQ(window->LVSorceMov->rowCount(), 0);
  EXPECT_EQ(window->MediaPlayerPreview->FileName(), "/d/a.mpg");
  EXPECT_EQ(window->MediaPlayerPreview->Mode(), cliploom::mpPlaying);
  EXPECT_EQ(window->CutStartPos, 1000);
  EXPECT_TRUE(window->TrackBarPreview->isEnabled());
}

TEST_F(MainWindow, TimerFollowsThePositionUnlessTheTrackBarHoldsTheMouse) {
  device.length = 60000;
  window->AddSorceMov("/d/a.mpg");
  Select(0);
  window->LVSorceMovDblClick();
  window->show();
  device.position = 5400;
  QTest::mousePress(window->TrackBarPreview, Qt::LeftButton, {}, QPoint(3, 12));
  const int thumb = window->TrackBarPreview->value();
  window->TimerUpdatePreviewTimeTimer();
  EXPECT_EQ(window->TrackBarPreview->value(), thumb);
  EXPECT_EQ(window->lblMovTime->text(), "00:00:00");
  QTest::mouseRelease(window->TrackBarPreview, Qt::LeftButton, {}, QPoint(3, 12));
  window->TimerUpdatePreviewTimeTimer();
  EXPECT_EQ(window->TrackBarPreview->value(), 5);
  EXPECT_EQ(window->lblMovTime->text(), "00:00:05");
}

}  // namespace
