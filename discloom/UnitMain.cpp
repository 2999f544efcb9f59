#include "discloom/UnitMain.h"

#include "common/PathNames.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTableWidget>

#include "common/SelectFolder.h"
#include "discloom/UnitSelectDVD.h"
#include "platform/DosCommand.h"
#include "platform/DriveSpace.h"
#include "platform/ErrorReport.h"
#include "platform/PictureButton.h"
#include "platform/Prompts.h"
#include "platform/ReportView.h"
#include "platform/ShellFolders.h"
#include "platform/WindowStyle.h"

namespace discloom {
namespace {

using platform::PictureButton;
using Glyph = PictureButton::Glyph;
using Placement = PictureButton::Placement;

const QString kInformation = QStringLiteral("情報");
const QString kQuestion = QStringLiteral("確認");

constexpr int kNameColumnWidth = 160;
constexpr int kStateColumnWidth = 70;

QTableWidgetItem* ReadOnlyCell(const QString& text) {
  auto* cell = new QTableWidgetItem(text);
  cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return cell;
}

}  // namespace

TFormMain::TFormMain(platform::Prompts& prompts, QWidget* parent)
    : QWidget(parent), prompts_(prompts) {
  setWindowTitle(QStringLiteral("DiscLoom"));
  platform::MakeFixedWindow(*this, QSize(386, 303));
  CreateControls();
  ConnectHandlers();
  FormCreate();
}

void TFormMain::CreateControls() {
  PngBtnAddFile = new PictureButton(QStringLiteral("ファイル追加"), Glyph::Film, Placement::Above,
                                    QRect(11, 10, 83, 79), this);
  PngBtnAddDVD = new PictureButton(QStringLiteral("DVDから変換"), Glyph::Disc, Placement::Above,
                                   QRect(11, 92, 83, 79), this);
  PngBtnListDelete = new PictureButton(QStringLiteral("選択削除"), Glyph::None, Placement::TextOnly,
                                       QRect(11, 173, 83, 33), this);

  ListViewConvertFile = new QTableWidget(0, 2, this);
  ListViewConvertFile->setGeometry(110, 9, 262, 190);
  ListViewConvertFile->setHorizontalHeaderLabels(
      {QStringLiteral("ファイル名"), QStringLiteral("状態")});
  platform::MakeReportView(*ListViewConvertFile, QAbstractItemView::ExtendedSelection);
  QHeaderView* header = ListViewConvertFile->horizontalHeader();
  header->setHighlightSections(false);
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(kStateColumnWidth);
  header->resizeSection(0, kNameColumnWidth);
  header->resizeSection(1, kStateColumnWidth);
  header->setSectionResizeMode(1, QHeaderView::Fixed);
  connect(header, &QHeaderView::sectionResized, this, [header](int index, int, int size) {
    if (index == 0 && size < kNameColumnWidth) header->resizeSection(0, kNameColumnWidth);
  });
  ListViewConvertFile->viewport()->installEventFilter(this);

  EditSaveDir = new QLineEdit(this);
  EditSaveDir->setGeometry(11, 209, 299, 20);
  EditSaveDir->setReadOnly(true);
  EditSaveDir->setFocusPolicy(Qt::NoFocus);
  QPalette editPalette = EditSaveDir->palette();
  editPalette.setColor(QPalette::Base, editPalette.color(QPalette::Button));
  EditSaveDir->setPalette(editPalette);

  PngBtnSelectDir = new PictureButton(QStringLiteral("選択"), Glyph::Folder, Placement::Left,
                                      QRect(313, 205, 61, 29), this);

  CBOpenDir = new QCheckBox(QStringLiteral("変換後に保存先を開く"), this);
  CBOpenDir->setGeometry(11, 233, 140, 17);

  LblSituation = new QLabel(this);
  LblSituation->setGeometry(12, 253, 233, 12);

  PngBtnConvertMovie = new PictureButton(QStringLiteral("動画変換"), Glyph::Convert,
                                         Placement::Left, QRect(252, 241, 123, 56), this);
  PngBtnConvertCancel = new PictureButton(QStringLiteral("変換を中止する"), Glyph::Stop,
                                          Placement::Left, QRect(132, 271, 114, 25), this);
}

void TFormMain::ConnectHandlers() {
  const auto guarded = [this](void (TFormMain::*handler)()) {
    return platform::Guarded(prompts_, this, handler);
  };
  connect(PngBtnAddFile, &QAbstractButton::clicked, this, guarded(&TFormMain::PngBtnAddFileClick));
  connect(PngBtnListDelete, &QAbstractButton::clicked, this,
          guarded(&TFormMain::PngBtnListDeleteClick));
  connect(PngBtnSelectDir, &QAbstractButton::clicked, this,
          guarded(&TFormMain::PngBtnSelectDirClick));
  connect(PngBtnConvertMovie, &QAbstractButton::clicked, this,
          guarded(&TFormMain::BtnConvertClick));
  connect(PngBtnConvertCancel, &QAbstractButton::clicked, this,
          guarded(&TFormMain::PngBtnConvertCancelClick));

  DosCommandConvert = new platform::TDosCommand(prompts_, this);
  DosCommandConvert->OnNewLine = [this](const QString& line, int outputType) {
    DosCommandConvertNewLine(line, outputType);
  };
  DosCommandConvert->OnTerminated = [this](int exitCode) {
    platform::RunGuarded(prompts_, [&] { DosCommandConvertTerminated(exitCode); });
  };
  OpenFolder = [](const QString& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
  };
  connect(PngBtnAddDVD, &QAbstractButton::clicked, this, guarded(&TFormMain::PngBtnAddDVDClick));
}

void TFormMain::FormCreate() {
  // The drop hook (AppMessage) is the event filter installed on the list
  // view's viewport in CreateControls; ConvertList exists with the window.
  GetSpecialFolders();
  EditSaveDir->setText(DesktopDir);
  OpenDialogMovie.Filter = QStringLiteral("動画ファイル(*.VOB)|*.VOB");
  OpenDialogMovie.InitialDir = MyDocumentsDir;
  SetConverting(false);
}

void TFormMain::GetSpecialFolders() {
  MyDocumentsDir = platform::WithTrailingDelimiter(platform::DocumentsFolder());
  DesktopDir = platform::WithTrailingDelimiter(platform::DesktopFolder());
}

void TFormMain::SetConverting(bool converting) {
  for (QWidget* control :
       std::initializer_list<QWidget*>{PngBtnAddFile, PngBtnAddDVD, PngBtnListDelete,
                                       PngBtnConvertMovie, PngBtnSelectDir, CBOpenDir}) {
    control->setEnabled(!converting);
  }
  PngBtnConvertCancel->setEnabled(converting);
  ListViewConvertFile->viewport()->setAcceptDrops(!converting);
}

bool TFormMain::IsDriveReady(const QString& root) { return platform::CanQueryDriveSize(root); }

void TFormMain::FormCloseQuery(bool& canClose) {
  canClose = PngBtnConvertMovie->isEnabled();
  if (!canClose) {
    prompts_.ShowMessage(
        QStringLiteral("変換中は終了できません。変換を中止してから終了してください。"),
        kInformation, platform::PromptIcon::None);
  }
}

void TFormMain::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  platform::RunGuarded(prompts_, [&] { FormCloseQuery(canClose); });
  if (canClose) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TFormMain::PngBtnSelectDirClick() {
  QString folder;
  if (common::SelectFolder(prompts_, QStringLiteral("保存先を選択してください"), QString(),
                           folder)) {
    EditSaveDir->setText(platform::WithTrailingDelimiter(folder));
  }
}

void TFormMain::AddConvertFile(const QString& path) {
  ConvertList.AddConvertInfo(std::make_unique<ZoConvertInfoObject>(path));
}

void TFormMain::RefreshFileList() {
  ListViewConvertFile->setRowCount(0);
  ListViewConvertFile->setRowCount(ConvertList.Count());
  for (int i = 0; i < ConvertList.Count(); ++i) {
    const ZoConvertInfoObject& item = ConvertList.GetConvertInfo(i);
    ListViewConvertFile->setItem(i, 0, ReadOnlyCell(common::FileNamePart(item.SourceFileName)));
    ListViewConvertFile->setItem(i, 1, ReadOnlyCell(item.GetStateText()));
  }
}

bool TFormMain::HasFinished() const { return ConvertList.HasFinished(); }

void TFormMain::RemoveFinished() {
  ConvertList.RemoveFinished();
  RefreshFileList();
}

void TFormMain::PngBtnAddFileClick() {
  const std::optional<QString> file =
      prompts_.OpenFile(OpenDialogMovie.Filter, OpenDialogMovie.InitialDir, QString());
  if (!file) return;
  AddConvertFile(*file);
  RefreshFileList();
}

void TFormMain::PngBtnAddDVDClick() {
  if (!FormSelectDVD) return;
  FormSelectDVD->exec();
  if (!FormSelectDVD->Accepted()) return;
  FormSelectDVD->AddSelectedChapters(ConvertList);
  RefreshFileList();
}

void TFormMain::PngBtnListDeleteClick() {
  const QModelIndexList selected = ListViewConvertFile->selectionModel()->selectedRows();
  if (selected.isEmpty()) {
    prompts_.ShowMessage(QStringLiteral("変換リストから除外するファイルを選択してください"),
                         kInformation, platform::PromptIcon::None);
    return;
  }
  if (!prompts_.AskYesNo(QStringLiteral("選択したファイルを変換リストから除外しますか？"),
                         kQuestion, platform::PromptIcon::None)) {
    return;
  }
  std::vector<bool> remove(static_cast<size_t>(ConvertList.Count()), false);
  for (const QModelIndex& index : selected) {
    if (index.row() < ConvertList.Count()) remove[static_cast<size_t>(index.row())] = true;
  }
  // From the last index down, so that the indexes still to visit stay valid.
  for (int i = ConvertList.Count() - 1; i >= 0; --i) {
    if (remove[static_cast<size_t>(i)]) ConvertList.Delete(i);
  }
  RefreshFileList();
}

void TFormMain::DropFiles(const QList<QUrl>& urls) {
  bool warned = false;
  for (const QUrl& url : urls) {
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    if (!path.isEmpty() && HasVobExtension(path) && !QFileInfo(path).isDir()) {
      AddConvertFile(path);
    } else if (!warned) {
      prompts_.ShowMessage(QStringLiteral("「VOB」以外のファイルには対応しておりません"),
                           kInformation, platform::PromptIcon::None);
      warned = true;
    }
  }
  RefreshFileList();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListViewConvertFile->viewport()) return AppMessage(event);
  return QWidget::eventFilter(watched, event);
}

bool TFormMain::AppMessage(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      break;
    default:
      return false;
  }
  auto* drop = static_cast<QDropEvent*>(event);
  const bool idle = ListViewConvertFile->viewport()->acceptDrops();
  if (!idle || !drop->mimeData()->hasUrls()) {
    drop->ignore();
    return true;
  }
  drop->acceptProposedAction();
  if (event->type() == QEvent::Drop) {
    // The names are handled once the drop has finished, so that a message box
    // never holds up the program the files were dragged from.
    QMetaObject::invokeMethod(
        this,
        [this, urls = drop->mimeData()->urls()] {
          if (ListViewConvertFile->viewport()->acceptDrops()) {
            platform::RunGuarded(prompts_, [&] { DropFiles(urls); });
          }
        },
        Qt::QueuedConnection);
  }
  return true;
}

}  // namespace discloom
