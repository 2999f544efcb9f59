#include "cliploom/UnitFormMain.h"

#include "common/PathNames.h"

#include <QApplication>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QScrollArea>
#include <QTableWidget>
#include <QTimer>

#include "cliploom/MovTime.h"
#include "cliploom/PreviewFit.h"
#include "cliploom/SourceFiles.h"
#include "platform/ErrorReport.h"
#include "platform/MediaDevice.h"
#include "platform/PictureButton.h"
#include "platform/Prompts.h"
#include "platform/ReportView.h"
#include "platform/ShellFolders.h"
#include "platform/TrackBar.h"
#include "platform/WindowStyle.h"

namespace cliploom {
namespace {

using platform::PictureButton;
using Glyph = PictureButton::Glyph;
using Placement = PictureButton::Placement;

const QString kApplicationTitle = QStringLiteral("ClipLoom");
const QString kOpenDialogFilter =
    QStringLiteral("動画ファイル(*.mpg,*.mpeg,*.wmv,*.avi)|*.mpg;*.mpeg;*.wmv;*.avi;");
constexpr int kTimerIntervalMs = 200;
constexpr QSize kThumbnailSize(64, 64);

QGroupBox* MakeGroup(QWidget* parent, const QString& caption, QRect geometry) {
  auto* group = new QGroupBox(caption, parent);
  group->setGeometry(geometry);
  return group;
}

}  // namespace

TFormMain::TFormMain(platform::Prompts& prompts, std::unique_ptr<platform::MediaDevice> device,
                     QWidget* parent)
    : QWidget(parent), prompts_(prompts) {
  setWindowTitle(kApplicationTitle);
  platform::MakeFixedWindow(*this, QSize(712, 646));
  // Captions sit in the top band of each group, above controls placed 13
  // pixels down, as in the design.
  setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
      " left: 6px; top: -3px; padding: 0 2px; }"));
  BuildSourceGroup();
  BuildPreviewGroup();
  BuildTargetGroup();

  MediaPlayerPreview = std::make_unique<TZoMediaPlayer>(std::move(device));
  MediaPlayerPreview->SetDeviceType(dtMpegVideo);
  MediaPlayerPreview->SetDisplay(PanelMovPreview);

  TimerUpdatePreviewTime = new QTimer(this);
  TimerUpdatePreviewTime->setInterval(kTimerIntervalMs);
  connect(TimerUpdatePreviewTime, &QTimer::timeout, this,
          [this] { platform::RunGuarded(prompts_, [this] { TimerUpdatePreviewTimeTimer(); }); });
  TimerPlayCutZone = new QTimer(this);
  TimerPlayCutZone->setInterval(kTimerIntervalMs);

  FormCreate();
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildSourceGroup() {
  GBSorceMov = MakeGroup(this, QStringLiteral("変換元動画リスト"), QRect(5, 4, 353, 408));
  btnAddSorceMov = new PictureButton(QStringLiteral("追加"), Glyph::Film, Placement::Above,
                                     QRect(4, 13, 99, 44), GBSorceMov);
  btnDelSorceMov = new PictureButton(QStringLiteral("削除"), Glyph::Film, Placement::Above,
                                     QRect(107, 13, 99, 44), GBSorceMov);
  pngBtnLoadMov2Preview =
      new PictureButton(QStringLiteral("変換元の動画をプレビューに読み込む"), Glyph::ArrowRight,
                        Placement::Left, QRect(210, 13, 140, 44), GBSorceMov);

  LVSorceMov = new QTableWidget(0, 2, GBSorceMov);
  LVSorceMov->setGeometry(4, 59, 344, 344);
  LVSorceMov->setHorizontalHeaderLabels(
      {QStringLiteral("ファイル名"), QStringLiteral("ファイルパス")});
  LVSorceMov->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  LVSorceMov->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  platform::MakeReportView(*LVSorceMov, QAbstractItemView::SingleSelection);

  OnClick(btnAddSorceMov, &TFormMain::btnAddSorceMovClick);
  OnClick(btnDelSorceMov, &TFormMain::btnDelSorceMovClick);
  OnClick(pngBtnLoadMov2Preview, &TFormMain::LVSorceMovDblClick);
  connect(LVSorceMov, &QTableWidget::cellDoubleClicked, this,
          platform::Guarded(prompts_, this, &TFormMain::LVSorceMovDblClick));
}

void TFormMain::BuildPreviewGroup() {
  GBPreviewArea = MakeGroup(this, QStringLiteral("プレビュー"), QRect(362, 4, 344, 408));

  PanelMovPreview = new QFrame(GBPreviewArea);
  PanelMovPreview->setGeometry(12, 14, 320, 240);
  PanelMovPreview->setFrameShape(QFrame::NoFrame);
  PanelMovPreview->setAutoFillBackground(true);
  QPalette black = PanelMovPreview->palette();
  black.setColor(QPalette::Window, Qt::black);
  PanelMovPreview->setPalette(black);

  TrackBarPreview = new platform::TrackBar(GBPreviewArea);
  TrackBarPreview->setGeometry(9, 256, 273, 25);
  TrackBarPreview->setRange(0, 100);
  TrackBarPreview->setPageStep(30);
  TrackBarPreview->setTickInterval(10);
  TrackBarPreview->setTickPosition(QSlider::TicksBelow);
  TrackBarPreview->setEnabled(false);

  lblMovTime = new QLabel(QStringLiteral("00:00:00"), GBPreviewArea);
  // Wider than the 40 pixels of the design, which cut the first digit.
  lblMovTime->setGeometry(282, 261, 48, 12);
  lblMovTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  pngBtnPlayCutZone = new PictureButton(QStringLiteral("切り取り位置再生"), Glyph::Play,
                                        Placement::Above, QRect(5, 283, 122, 47), GBPreviewArea);
  pngBtnPreviewPlay = new PictureButton(QStringLiteral("再生"), Glyph::Play, Placement::Above,
                                        QRect(128, 283, 52, 47), GBPreviewArea);
  pngBtnPreviewStop = new PictureButton(QStringLiteral("停止"), Glyph::Square, Placement::Above,
                                        QRect(181, 283, 52, 47), GBPreviewArea);
  pngBtnPreviewBack = new PictureButton(QStringLiteral("戻る"), Glyph::Back, Placement::Above,
                                        QRect(234, 283, 52, 47), GBPreviewArea);
  pngBtnPreviewStep = new PictureButton(QStringLiteral("進む"), Glyph::Step, Placement::Above,
                                        QRect(287, 283, 53, 47), GBPreviewArea);
  pngBtnMarkStartPos = new PictureButton(QStringLiteral("切り取り開始位置"), Glyph::Scissors,
                                         Placement::Left, QRect(5, 331, 87, 41), GBPreviewArea);
  pngBtnMarkEndPos = new PictureButton(QStringLiteral("切り取り終了位置"), Glyph::Scissors,
                                       Placement::Left, QRect(92, 331, 88, 41), GBPreviewArea);
  pngBtnMoveStartPos = new PictureButton(QStringLiteral("開始位置に移動"), Glyph::ArrowLeft,
                                         Placement::Left, QRect(182, 331, 79, 41), GBPreviewArea);
  pngBtnMoveEndPos = new PictureButton(QStringLiteral("終了位置に移動"), Glyph::ArrowRight,
                                       Placement::Left, QRect(261, 331, 79, 41), GBPreviewArea);
  pngBtnMovCut = new PictureButton(QStringLiteral("切り取り・結合候補に追加"), Glyph::ArrowDown,
                                   Placement::Left, QRect(5, 373, 222, 32), GBPreviewArea);
}

void TFormMain::BuildTargetGroup() {
  GBTargetMov = MakeGroup(this, QStringLiteral("切り取り・結合候補"), QRect(5, 416, 700, 226));
  pngBtnTargetMovLeft = new PictureButton(QStringLiteral("左に移動"), Glyph::ArrowLeft,
                                          Placement::Left, QRect(8, 13, 96, 32), GBTargetMov);
  pngBtnTargetMovLeft->setProperty("Tag", 1);
  pngBtnTargetMovRight = new PictureButton(QStringLiteral("右に移動"), Glyph::ArrowRight,
                                           Placement::Left, QRect(108, 13, 96, 32), GBTargetMov);
  pngBtnTargetMovRight->setProperty("Tag", 2);
  pngBtnTargetMovDel = new PictureButton(QStringLiteral("リストから削除"), Glyph::Cross,
                                         Placement::Left, QRect(208, 13, 140, 32), GBTargetMov);
  pngBtnPlayTargetMov = new PictureButton(QStringLiteral("選択した動画を再生"), Glyph::Play,
                                          Placement::Left, QRect(421, 13, 174, 31), GBTargetMov);

  ScrollBoxTargetMov = new QScrollArea(GBTargetMov);
  ScrollBoxTargetMov->setGeometry(8, 47, 585, 172);
  ScrollBoxTargetMov->setBackgroundRole(QPalette::Base);
  LVTargetMov = new QListWidget;
  LVTargetMov->setViewMode(QListView::IconMode);
  LVTargetMov->setFrameShape(QFrame::NoFrame);
  LVTargetMov->setIconSize(kThumbnailSize);
  LVTargetMov->setMovement(QListView::Static);
  LVTargetMov->setDragEnabled(false);
  LVTargetMov->setAcceptDrops(false);
  LVTargetMov->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LVTargetMov->resize(581, 138);
  platform::KeepSelectionVisible(*LVTargetMov);
  ScrollBoxTargetMov->setWidget(LVTargetMov);

  pngBtnJointSave = new PictureButton(QStringLiteral("結合して\n保存する"), Glyph::Save,
                                      Placement::Above, QRect(599, 47, 95, 78), GBTargetMov);
  pngBtnIndividuallySave =
      new PictureButton(QStringLiteral("それぞれ\n保存する"), Glyph::Save, Placement::Above,
                        QRect(599, 132, 95, 89), GBTargetMov);
}

void TFormMain::FormCreate() {
  qApp->installEventFilter(this);
  PrepareFolders();
  CutStartPos = 0;
  CutEndPos = 0;
  // Only the source list takes dropped files.
  LVSorceMov->setAcceptDrops(true);
}

void TFormMain::PrepareFolders() {
  WorkDir = PrepareWorkFolder(platform::CommonAppDataFolder());
  DesktopDir = platform::DesktopFolder();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  // Qt has no mouse capture to ask about: note presses and releases on the
  // track bar instead.
  if (watched == TrackBarPreview) {
    if (event->type() == QEvent::MouseButtonPress) trackBarCaptured_ = true;
    if (event->type() == QEvent::MouseButtonRelease) trackBarCaptured_ = false;
  }
  return AppMessage(watched, event);
}

bool TFormMain::AppMessage(QObject* watched, QEvent* event) {
  if (watched != LVSorceMov->viewport()) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!drag->mimeData()->hasUrls()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!drop->mimeData()->hasUrls()) return false;
      QStringList names;
      for (const QUrl& url : drop->mimeData()->urls()) {
        names << (url.isLocalFile() ? url.toLocalFile() : url.toString());
      }
      drop->acceptProposedAction();
      // Handled once the drop has finished, so that no box opens inside it.
      QMetaObject::invokeMethod(
          this, [this, names] { platform::RunGuarded(prompts_, [&] { DropFiles(names); }); },
          Qt::QueuedConnection);
      return true;
    }
    default:
      return false;
  }
}

void TFormMain::OnClick(PictureButton* button, void (TFormMain::*handler)()) {
  connect(button, &PictureButton::clicked, this, platform::Guarded(prompts_, this, handler));
}

void TFormMain::Notice(const QString& text) {
  prompts_.ShowMessage(text, kApplicationTitle, platform::PromptIcon::None);
}

void TFormMain::AddSorceMov(const QString& path) {
  const int row = LVSorceMov->rowCount();
  LVSorceMov->insertRow(row);
  LVSorceMov->setItem(row, 0, new QTableWidgetItem(common::FileNamePart(path)));
  LVSorceMov->setItem(row, 1, new QTableWidgetItem(path));
}

void TFormMain::btnAddSorceMovClick() {
  const std::optional<QString> file = prompts_.OpenFile(kOpenDialogFilter, DesktopDir, QString());
  if (file) AddSorceMov(*file);
}

void TFormMain::DropFiles(const QStringList& names) {
  bool warned = false;
  for (const QString& name : names) {
    if (IsAcceptedDropName(name)) {
      AddSorceMov(name);
    } else if (!warned) {
      Notice(QStringLiteral("「AVI、WMV、MPG」以外のファイルには対応しておりません"));
      warned = true;
    }
  }
}

int TFormMain::SelectedSorceMovRow() const {
  const QModelIndexList rows = LVSorceMov->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void TFormMain::btnDelSorceMovClick() {
  const int row = SelectedSorceMovRow();
  if (row < 0) {
    Notice(QStringLiteral("変換元動画リストから削除する動画を選択してください"));
    return;
  }
  if (prompts_.AskYesNo(QStringLiteral("選択した動画をリストから削除しますか？"),
                        QStringLiteral("確認"), platform::PromptIcon::None)) {
    LVSorceMov->removeRow(row);
  }
}

void TFormMain::LVSorceMovDblClick() { LoadSelectedSorceMov(); }

void TFormMain::LoadSelectedSorceMov() {
  const int row = SelectedSorceMovRow();
  if (row < 0) {
    Notice(QStringLiteral("変換元の動画を選択してください"));
    return;
  }
  LoadPreviewMov(LVSorceMov->item(row, 1)->text());
}

void TFormMain::ResetPreviewMarks(bool trackBarEnabled) {
  CutStartPos = 0;
  CutEndPos = 0;
  TrackBarPreview->SetSelStart(0);
  TrackBarPreview->SetSelEnd(0);
  TrackBarPreview->setValue(0);
  TrackBarPreview->setEnabled(trackBarEnabled);
}

void TFormMain::LoadPreviewMov(const QString& path) {
  try {
    ResetPreviewMarks(true);
    MediaPlayerPreview->SetFileName(path);
    MediaPlayerPreview->Open();
    MediaPlayerPreview->SetTimeFormat(tfMilliseconds);
    FitPreviewRect();
    SetupTrackBar();
    TimerUpdatePreviewTime->start();
    MediaPlayerPreview->Play();
  } catch (...) {
    Notice(QStringLiteral("ファイルが破損しているかその他の原因のため開くことができません"));
    ResetPreviewMarks(false);
    MediaPlayerPreview->SetFileName(QString());
    MediaPlayerPreview->Close();
    MediaPlayerPreview->SetDisplay(PanelMovPreview);
  }
}

void TFormMain::FitPreviewRect() {
  MediaPlayerPreview->SetDisplayRect(
      FittedPreviewRect(MediaPlayerPreview->DisplayRect(), PanelMovPreview->size()));
}

void TFormMain::SetupTrackBar() {
  const TrackBarRange range = TrackBarRangeFor(MediaPlayerPreview->Length());
  TrackBarPreview->setMinimum(range.min);
  TrackBarPreview->setMaximum(range.max);
  TrackBarPreview->setTickInterval(range.frequency);
  TrackBarPreview->setPageStep(range.pageSize);
}

void TFormMain::TimerUpdatePreviewTimeTimer() {
  if (trackBarCaptured_) return;
  const int position = MediaPlayerPreview->Position();
  TrackBarPreview->setValue(position / 1000);
  lblMovTime->setText(FormatMovTime(position));
}

}  // namespace cliploom
