#include "discloom/UnitSelectDVD.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <memory>
#include <utility>

#include "discloom/ChapterSearch.h"
#include "discloom/ZoConvertInfo.h"
#include "platform/ErrorReport.h"
#include "platform/PictureButton.h"
#include "platform/Prompts.h"
#include "platform/WindowStyle.h"

namespace discloom {
namespace {

using platform::PictureButton;

constexpr int kPathRole = Qt::UserRole;

// The light background with the captions of both lists and the rule above
// the OK row.
QPixmap DrawBackground(QSize size, const QFont& font) {
  QPixmap picture(size);
  QPainter p(&picture);
  QLinearGradient fill(0, 0, 0, size.height());
  fill.setColorAt(0, QColor(250, 252, 255));
  fill.setColorAt(1, QColor(228, 236, 246));
  p.fillRect(picture.rect(), fill);
  QFont bold = font;
  bold.setBold(true);
  p.setFont(bold);
  p.setPen(QColor(30, 50, 90));
  p.drawText(QRect(20, 18, 200, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ドライブ"));
  p.drawText(QRect(20, 74, 200, 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("チャプター"));
  p.setPen(QColor(150, 165, 190));
  p.drawLine(10, 255, 300, 255);
  p.setPen(Qt::white);
  p.drawLine(10, 256, 300, 256);
  return picture;
}

}  // namespace

TFormSelectDVD::TFormSelectDVD(platform::Prompts& prompts, platform::OpticalDrives drives,
                               DriveReadyCheck isDriveReady, QWidget* parent)
    : QDialog(parent),
      prompts_(prompts),
      drives_(std::move(drives)),
      isDriveReady_(std::move(isDriveReady)) {
  setWindowTitle(QStringLiteral("チャプター選択画面"));
  // A fixed frame with a title but no buttons and no system menu.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFont(platform::JapaneseUiFont());
  setFixedSize(310, 308);
  CreateControls();
  ConnectHandlers();
  FormCreate();
}

void TFormSelectDVD::CreateControls() {
  ImageBG = new QLabel(this);
  ImageBG->setGeometry(0, 0, 314, 311);
  ImageBG->setPixmap(DrawBackground(QSize(314, 311), font()));

  CBDriveList = new QComboBox(this);
  CBDriveList->setGeometry(20, 38, 203, 20);
  CBDriveList->setEditable(false);

  PngBtnRefreshChapterList =
      new PictureButton(QStringLiteral("更新"), PictureButton::Glyph::Refresh,
                        PictureButton::Placement::Left, QRect(231, 33, 65, 32), this);

  LBChapter = new QListWidget(this);
  LBChapter->setGeometry(20, 94, 274, 110);
  LBChapter->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LBChapter->setSortingEnabled(false);
  LBChapter->setUniformItemSizes(true);

  PngBtnSelectAll =
      new PictureButton(QStringLiteral("全選択"), PictureButton::Glyph::None,
                        PictureButton::Placement::TextOnly, QRect(16, 212, 73, 32), this);
  PngBtnAnSelectAll =
      new PictureButton(QStringLiteral("全選択解除"), PictureButton::Glyph::None,
                        PictureButton::Placement::TextOnly, QRect(104, 212, 85, 32), this);
  PngBtnOK = new PictureButton(QStringLiteral("OK"), PictureButton::Glyph::None,
                               PictureButton::Placement::TextOnly, QRect(125, 265, 73, 38), this);
  PngBtnCancel =
      new PictureButton(QStringLiteral("キャンセル"), PictureButton::Glyph::None,
                        PictureButton::Placement::TextOnly, QRect(212, 265, 84, 38), this);

  setTabOrder(CBDriveList, LBChapter);
}

void TFormSelectDVD::ConnectHandlers() {
  const auto guarded = [this](void (TFormSelectDVD::*handler)()) {
    return platform::Guarded(prompts_, this, handler);
  };
  // `activated` comes from the user only, not from refilling the list.
  connect(CBDriveList, &QComboBox::activated, this, guarded(&TFormSelectDVD::CBDriveListChange));
  connect(PngBtnRefreshChapterList, &QAbstractButton::clicked, this,
          guarded(&TFormSelectDVD::BtnRefreshChapterListClick));
  connect(PngBtnSelectAll, &QAbstractButton::clicked, this,
          guarded(&TFormSelectDVD::BtnSelectAllClick));
  connect(PngBtnAnSelectAll, &QAbstractButton::clicked, this,
          guarded(&TFormSelectDVD::BtnAnSelectAllClick));
  connect(PngBtnOK, &QAbstractButton::clicked, this, guarded(&TFormSelectDVD::BtnOKClick));
  connect(PngBtnCancel, &QAbstractButton::clicked, this, guarded(&TFormSelectDVD::BtnCancelClick));
}

void TFormSelectDVD::FormCreate() {
  RefreshDriveList();
  RefreshChapterList();
}

void TFormSelectDVD::RefreshDriveList() {
  const int remembered = CBDriveList->currentIndex();
  CBDriveList->clear();
  for (const platform::OpticalDrive& drive : drives_.List()) {
    CBDriveList->addItem(drive.root + u'[' + GetVolumeLabel(drive.root) + u']', drive.root);
  }
  // A Linux root is long: let the open list show whole entries.
  CBDriveList->view()->setMinimumWidth(CBDriveList->view()->sizeHintForColumn(0) + 8);
  if (CBDriveList->count() == 0) return;
  if (remembered <= 0) {
    CBDriveList->setCurrentIndex(0);
  } else {
    CBDriveList->setCurrentIndex(remembered < CBDriveList->count() ? remembered : -1);
  }
}

QString TFormSelectDVD::GetVolumeLabel(const QString& root) const {
  return drives_.VolumeLabel(root);
}

QString TFormSelectDVD::GetSelectedDrive() const {
  // The root is kept beside the entry's text: a Linux root holds many "/".
  return CBDriveList->currentData(kPathRole).toString();
}

void TFormSelectDVD::RefreshChapterList() {
  LBChapter->clear();
  if (CBDriveList->currentIndex() < 0) return;
  const QString root = GetSelectedDrive();
  if (isDriveReady_(root)) {
    FindChapters(root, *LBChapter);
  } else if (isActiveWindow()) {
    prompts_.ShowMessage(QStringLiteral("ドライブにディスクを挿入してください"),
                         QStringLiteral("情報"), platform::PromptIcon::None);
  }
}

void TFormSelectDVD::FindChapters(const QString& folder, QListWidget& listBox) {
  for (const ChapterFile& chapter : FindChapterFiles(folder)) {
    auto* item = new QListWidgetItem(chapter.name, &listBox);
    item->setData(kPathRole, chapter.path);
  }
}

void TFormSelectDVD::AddSelectedChapters(ZoConvertInfoObjectList& queue) {
  for (int row = 0; row < LBChapter->count(); ++row) {
    const QListWidgetItem* entry = LBChapter->item(row);
    if (!entry->isSelected()) continue;
    // The file that was found: on a standard disc this is the drive root,
    // "VIDEO_TS/", the name and ".VOB"; for a .VOB elsewhere on the disc it
    // still names the file that was listed.
    auto item = std::make_unique<ZoConvertInfoObject>(entry->data(kPathRole).toString());
    item->State = TConvertState::csWaiting;
    queue.AddConvertInfo(std::move(item));
  }
}

void TFormSelectDVD::CBDriveListChange() {
  LBChapter->clear();
  RefreshChapterList();
}

void TFormSelectDVD::BtnRefreshChapterListClick() {
  RefreshDriveList();
  RefreshChapterList();
}

void TFormSelectDVD::BtnSelectAllClick() { LBChapter->selectAll(); }

void TFormSelectDVD::BtnAnSelectAllClick() { LBChapter->clearSelection(); }

void TFormSelectDVD::BtnOKClick() {
  if (LBChapter->selectedItems().isEmpty()) {
    prompts_.ShowMessage(QStringLiteral("チャプターを選択してください"), QStringLiteral("情報"),
                         platform::PromptIcon::None);
    closeAllowed_ = false;
    return;
  }
  closeAllowed_ = true;
  accepted_ = true;
  CloseDialog();
}

void TFormSelectDVD::BtnCancelClick() {
  closeAllowed_ = true;
  accepted_ = false;
  CloseDialog();
}

void TFormSelectDVD::CloseDialog() {
  if (closeAllowed_) done(accepted_ ? QDialog::Accepted : QDialog::Rejected);
}

void TFormSelectDVD::reject() {
  platform::RunGuarded(prompts_, [this] { BtnCancelClick(); });
}

void TFormSelectDVD::closeEvent(QCloseEvent* event) {
  // Our buttons close through done(); a close from outside (the window
  // manager) is a cancel, so that a stale Accepted never queues anything.
  event->ignore();
  reject();
}

void TFormSelectDVD::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::CenterWindow(*this, parentWidget());
}

}  // namespace discloom
