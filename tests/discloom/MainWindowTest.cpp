#include "discloom/UnitMain.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTableWidget>

#include "platform/PictureButton.h"
#include "platform/ShellFolders.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempFolder.h"

namespace {

using discloom::TConvertState;
using discloom::TFormMain;
using testing_support::PromptKind;
using testing_support::ScriptedPrompts;
using Row = std::pair<QString, QString>;

std::vector<Row> Rows(const TFormMain& window) {
  std::vector<Row> rows;
  const QTableWidget& view = *window.ListViewConvertFile;
  for (int i = 0; i < view.rowCount(); ++i) {
    rows.emplace_back(view.item(i, 0)->text(), view.item(i, 1)->text());
  }
  return rows;
}

void ExpectShown(const ScriptedPrompts& prompts, std::vector<std::pair<QString, QString>> shown) {
  ASSERT_EQ(prompts.Shown().size(), shown.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(prompts.Shown()[i].text, shown[i].first);
    EXPECT_EQ(prompts.Shown()[i].caption, shown[i].second);
    EXPECT_EQ(prompts.Shown()[i].icon, platform::PromptIcon::None);
  }
}

// Drags `paths` over the list view and drops them; returns whether the drag
// was accepted. Local paths become file URLs; anything with "://" is taken as
// a URL as it stands.
bool Drop(TFormMain& window, const QStringList& paths) {
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& path : paths) {
    urls << (path.contains("://") ? QUrl(path) : QUrl::fromLocalFile(path));
  }
  mime.setUrls(urls);
  QWidget* target = window.ListViewConvertFile->viewport();
  const QPoint at(20, 40);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  enter.setAccepted(false);
  QCoreApplication::sendEvent(target, &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
  // The drop is handled from the event queue once the drag has finished.
  QCoreApplication::processEvents();
  return enter.isAccepted();
}

TEST(DiscLoomMainWindow, LayoutAsDrawn) {
  ScriptedPrompts prompts;
  TFormMain window(prompts);
  EXPECT_EQ(window.windowTitle(), "DiscLoom");
  EXPECT_EQ(window.size(), QSize(386, 303));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);

  const std::vector<std::pair<QWidget*, QRect>> controls = {
      {window.PngBtnAddFile, {11, 10, 83, 79}},
      {window.PngBtnAddDVD, {11, 92, 83, 79}},
      {window.PngBtnListDelete, {11, 173, 83, 33}},
      {window.ListViewConvertFile, {110, 9, 262, 190}},
      {window.EditSaveDir, {11, 209, 299, 20}},
      {window.PngBtnSelectDir, {313, 205, 61, 29}},
      {window.CBOpenDir, {11, 233, 140, 17}},
      {window.LblSituation, {12, 253, 233, 12}},
      {window.PngBtnConvertMovie, {252, 241, 123, 56}},
      {window.PngBtnConvertCancel, {132, 271, 114, 25}},
  };
  for (const auto& [control, geometry] : controls) {
    EXPECT_EQ(control->geometry(), geometry) << control->metaObject()->className();
  }
  const std::vector<std::pair<platform::PictureButton*, QString>> words = {
      {window.PngBtnAddFile, "ファイル追加"},  {window.PngBtnAddDVD, "DVDから変換"},
      {window.PngBtnListDelete, "選択削除"},   {window.PngBtnSelectDir, "選択"},
      {window.PngBtnConvertMovie, "動画変換"}, {window.PngBtnConvertCancel, "変換を中止する"},
  };
  for (const auto& [button, text] : words) EXPECT_EQ(button->Words(), text);

  const QTableWidget& view = *window.ListViewConvertFile;
  EXPECT_EQ(view.horizontalHeaderItem(0)->text(), "ファイル名");
  EXPECT_EQ(view.horizontalHeaderItem(1)->text(), "状態");
  EXPECT_EQ(view.columnWidth(0), 160);
  EXPECT_EQ(view.columnWidth(1), 70);
  view.horizontalHeader()->resizeSection(0, 90);
  EXPECT_EQ(view.columnWidth(0), 160);
  EXPECT_EQ(view.selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(view.selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(window.CBOpenDir->text(), "変換後に保存先を開く");
}

TEST(DiscLoomMainWindow, StartsIdleWithTheDesktopAsSaveFolder) {
  ScriptedPrompts prompts;
  TFormMain window(prompts);
  const QString desktop = platform::DesktopFolder();
  EXPECT_EQ(window.EditSaveDir->text(), desktop);
  EXPECT_TRUE(desktop.endsWith("/") && !desktop.endsWith("//"));
  EXPECT_TRUE(window.EditSaveDir->isReadOnly());
  EXPECT_EQ(window.MyDocumentsDir, platform::DocumentsFolder());
  EXPECT_FALSE(window.CBOpenDir->isChecked());
  EXPECT_TRUE(window.LblSituation->text().isEmpty());
  EXPECT_TRUE(window.SituationText.isEmpty());
  EXPECT_FALSE(window.Cancelling);
  EXPECT_EQ(window.ConvertList.Count(), 0);
  EXPECT_EQ(window.ListViewConvertFile->rowCount(), 0);
}

TEST(DiscLoomMainWindow, ConvertingLookLeavesOnlyCancel) {
  ScriptedPrompts prompts;
  TFormMain window(prompts);
  const std::vector<QWidget*> idleOnly = {window.PngBtnAddFile,    window.PngBtnAddDVD,
                                          window.PngBtnListDelete, window.PngBtnConvertMovie,
                                          window.PngBtnSelectDir,  window.CBOpenDir};
  for (const bool converting : {false, true, false}) {
    window.SetConverting(converting);
    for (QWidget* control : idleOnly) {
      EXPECT_EQ(control->isEnabled(), !converting) << control->metaObject()->className();
    }
    EXPECT_EQ(window.PngBtnConvertCancel->isEnabled(), converting);
    EXPECT_TRUE(window.ListViewConvertFile->isEnabled());
    EXPECT_TRUE(window.EditSaveDir->isReadOnly());
    EXPECT_EQ(window.ListViewConvertFile->viewport()->acceptDrops(), !converting);
  }
}

TEST(DiscLoomMainWindow, RefusesToCloseWhileConverting) {
  ScriptedPrompts prompts;
  TFormMain window(prompts);
  window.show();
  window.SetConverting(true);
  prompts.ExpectMessage();
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.PngBtnConvertMovie->isEnabled());
  ExpectShown(prompts, {{"変換中は終了できません。変換を中止してから終了してください。", "情報"}});

  prompts.Clear();
  window.SetConverting(false);
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(prompts.Shown().empty());
}

TEST(DiscLoomMainWindow, ChoosingTheSaveFolder) {
  struct Case {
    std::optional<QString> chosen;
    QString shown;
  };
  const std::vector<Case> cases = {
      {"/home/user/動画", "/home/user/動画/"},
      {"/", "/"},
      {std::nullopt, "unchanged"},
  };
  for (const Case& c : cases) {
    ScriptedPrompts prompts;
    TFormMain window(prompts);
    window.EditSaveDir->setText("unchanged");
    prompts.ExpectChooseFolder(c.chosen);
    window.PngBtnSelectDir->click();
    EXPECT_EQ(window.EditSaveDir->text(), c.shown);
    ASSERT_EQ(prompts.Shown().size(), 1u);
    EXPECT_EQ(prompts.Shown()[0].text, "保存先を選択してください");
    EXPECT_TRUE(prompts.Shown()[0].caption.isEmpty());  // no root folder
  }
}

TEST(DiscLoomMainWindow, AddingFromTheOpenDialog) {
  ScriptedPrompts prompts;
  TFormMain window(prompts);
  prompts.ExpectOpenFile(std::nullopt);
  prompts.ExpectOpenFile("/home/user/VTS_01_1.VOB");
  prompts.ExpectOpenFile("/home/user/VTS_01_1.VOB");
  prompts.ExpectOpenFile("/home/user/メモ.txt");  // no extension test here
  for (int i = 0; i < 4; ++i) window.PngBtnAddFile->click();

  for (const auto& shown : prompts.Shown()) {
    EXPECT_EQ(shown.kind, PromptKind::OpenFile);
    EXPECT_EQ(shown.text, "動画ファイル(*.VOB)|*.VOB");
    EXPECT_EQ(shown.caption, platform::DocumentsFolder());
  }
  EXPECT_EQ(Rows(window), (std::vector<Row>{{"VTS_01_1.VOB", "変換待ち"},
                                            {"VTS_01_1.VOB", "変換待ち"},
                                            {"メモ.txt", "変換待ち"}}));
  EXPECT_EQ(window.ConvertList.GetConvertInfo(2).SourceFileName, "/home/user/メモ.txt");
}

TEST(DiscLoomMainWindow, RemovingSelectedRows) {
  struct Case {
    std::vector<int> selected;
    std::optional<bool> answer;  // none: no question expected
    std::vector<QString> left;
    std::vector<std::pair<QString, QString>> shown;
  };
  const std::pair<QString, QString> pick = {"変換リストから除外するファイルを選択してください",
                                            "情報"};
  const std::pair<QString, QString> ask = {"選択したファイルを変換リストから除外しますか？",
                                           "確認"};
  const std::vector<Case> cases = {
      {{1, 3}, true, {"0.VOB", "2.VOB", "4.VOB"}, {ask}},
      {{1, 3}, false, {"0.VOB", "1.VOB", "2.VOB", "3.VOB", "4.VOB"}, {ask}},
      {{}, std::nullopt, {"0.VOB", "1.VOB", "2.VOB", "3.VOB", "4.VOB"}, {pick}},
      {{0, 1, 2, 3, 4}, true, {}, {ask}},
  };
  for (const Case& c : cases) {
    ScriptedPrompts prompts;
    TFormMain window(prompts);
    for (int i = 0; i < 5; ++i) window.AddConvertFile(QString("/dvd/%1.VOB").arg(i));
    window.RefreshFileList();
    QItemSelectionModel& selection = *window.ListViewConvertFile->selectionModel();
    for (const int row : c.selected) {
      selection.select(window.ListViewConvertFile->model()->index(row, 0),
                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    if (c.answer) {
      prompts.ExpectYesNo(*c.answer);
    } else {
      prompts.ExpectMessage();
    }
    window.PngBtnListDelete->click();

    std::vector<QString> left;
    for (const Row& row : Rows(window)) left.push_back(row.first);
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(window.ConvertList.Count(), static_cast<int>(c.left.size()));
    ExpectShown(prompts, c.shown);
  }
}

TEST(DiscLoomMainWindow, DropsQueueOnlyVobFiles) {
  testing_support::TempFolder temp;
  const QString folder = temp.MakeFolder("movie.VOB");
  struct Case {
    QStringList dropped;
    std::vector<QString> queued;
    bool warned;
  };
  const std::vector<Case> cases = {
      {{"/d/a.vob", "/d/b.txt", "/d/C.VOB", "/d/d.mpg"}, {"/d/a.vob", "/d/C.VOB"}, true},
      {{"/d/x.Vob", "/ディスク/映像.VOB"}, {"/d/x.Vob", "/ディスク/映像.VOB"}, false},
      {{"/d/a.VOB2", "/d/a.vo", "/d/VOB"}, {}, true},
      {{folder, "http://example.com/a.VOB", "/d/e.VOB"}, {"/d/e.VOB"}, true},
  };
  for (const Case& c : cases) {
    ScriptedPrompts prompts;
    TFormMain window(prompts);
    if (c.warned) prompts.ExpectMessage();
    EXPECT_TRUE(Drop(window, c.dropped));

    std::vector<QString> queued;
    for (int i = 0; i < window.ConvertList.Count(); ++i) {
      queued.push_back(window.ConvertList.GetConvertInfo(i).SourceFileName);
    }
    EXPECT_EQ(queued, c.queued) << c.dropped.join(' ').toStdString();
    EXPECT_EQ(window.ListViewConvertFile->rowCount(), static_cast<int>(c.queued.size()));
    if (c.warned) {
      ExpectShown(prompts, {{"「VOB」以外のファイルには対応しておりません", "情報"}});
    }
  }
}

TEST(DiscLoomMainWindow, DropsAreRefusedWhileConverting) {
  ScriptedPrompts prompts;
  TFormMain window(prompts);
  window.SetConverting(true);
  EXPECT_FALSE(Drop(window, {"/d/a.VOB", "/d/b.txt"}));
  EXPECT_EQ(window.ConvertList.Count(), 0);
  EXPECT_TRUE(prompts.Shown().empty());
}

TEST(DiscLoomMainWindow, CleanUpBeforeARunRebuildsTheRows) {
  ScriptedPrompts prompts;
  TFormMain window(prompts);
  const std::vector<TConvertState> states = {TConvertState::csConverted, TConvertState::csFailed,
                                             TConvertState::csWaiting, TConvertState::csConverted};
  for (size_t i = 0; i < states.size(); ++i) {
    window.AddConvertFile(QString("/dvd/%1.VOB").arg(i));
    window.ConvertList.GetConvertInfo(static_cast<int>(i)).State = states[i];
  }
  window.RefreshFileList();
  EXPECT_EQ(Rows(window)[1], Row("1.VOB", "変換失敗"));
  EXPECT_TRUE(window.HasFinished());

  window.RemoveFinished();
  EXPECT_FALSE(window.HasFinished());
  EXPECT_EQ(Rows(window), (std::vector<Row>{{"1.VOB", "変換待ち"}, {"2.VOB", "変換待ち"}}));
}

}  // namespace
