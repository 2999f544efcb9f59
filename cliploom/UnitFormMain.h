#pragma once

#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>

#include "cliploom/ZoMediaPlayer.h"

class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QTableWidget;
class QTimer;

namespace platform {
class MediaDevice;
class PictureButton;
class Prompts;
class TrackBar;
}  // namespace platform

namespace cliploom {

// The cut-and-join editor's main window: the source video list on the left,
// the preview on the right, the cut candidates below. The controls are
// public, as the handlers of every part of the editor work on them.
class TFormMain : public QWidget {
  Q_OBJECT

 public:
  // `device` plays the preview; the window owns it through its player.
  TFormMain(platform::Prompts& prompts, std::unique_ptr<platform::MediaDevice> device,
            QWidget* parent = nullptr);
  ~TFormMain() override;

  // Source list (left).
  void AddSorceMov(const QString& path);
  void btnAddSorceMovClick();
  // Files dropped on the source list, in the order of the drop.
  void DropFiles(const QStringList& names);
  void btnDelSorceMovClick();
  void LVSorceMovDblClick();
  void LoadSelectedSorceMov();
  void LoadPreviewMov(const QString& path);
  void FitPreviewRect();
  void SetupTrackBar();

  // Preview (right).
  void TimerUpdatePreviewTimeTimer();

  QGroupBox* GBSorceMov;
  platform::PictureButton* btnAddSorceMov;
  platform::PictureButton* btnDelSorceMov;
  platform::PictureButton* pngBtnLoadMov2Preview;
  QTableWidget* LVSorceMov;

  QGroupBox* GBPreviewArea;
  QFrame* PanelMovPreview;
  platform::TrackBar* TrackBarPreview;
  QLabel* lblMovTime;
  platform::PictureButton* pngBtnPlayCutZone;
  platform::PictureButton* pngBtnPreviewPlay;
  platform::PictureButton* pngBtnPreviewStop;
  platform::PictureButton* pngBtnPreviewBack;
  platform::PictureButton* pngBtnPreviewStep;
  platform::PictureButton* pngBtnMarkStartPos;
  platform::PictureButton* pngBtnMarkEndPos;
  platform::PictureButton* pngBtnMoveStartPos;
  platform::PictureButton* pngBtnMoveEndPos;
  platform::PictureButton* pngBtnMovCut;

  QGroupBox* GBTargetMov;
  platform::PictureButton* pngBtnTargetMovLeft;
  platform::PictureButton* pngBtnTargetMovRight;
  platform::PictureButton* pngBtnTargetMovDel;
  platform::PictureButton* pngBtnPlayTargetMov;
  QScrollArea* ScrollBoxTargetMov;
  QListWidget* LVTargetMov;
  platform::PictureButton* pngBtnJointSave;
  platform::PictureButton* pngBtnIndividuallySave;

  std::unique_ptr<TZoMediaPlayer> MediaPlayerPreview;
  QTimer* TimerUpdatePreviewTime;
  QTimer* TimerPlayCutZone;
  // One 64 x 64 thumbnail per cut candidate, in candidate order.
  QList<QPixmap> ImageListTargetMov;

  QString WorkDir;
  QString DesktopDir;
  int CutStartPos = 0;
  int CutEndPos = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildSourceGroup();
  void BuildPreviewGroup();
  void BuildTargetGroup();
  void FormCreate();
  void PrepareFolders();
  // The application-wide hook: routes files dropped on the source list to
  // DropFiles and lets every other event pass.
  bool AppMessage(QObject* watched, QEvent* event);
  void ResetPreviewMarks(bool trackBarEnabled);
  int SelectedSorceMovRow() const;
  void Notice(const QString& text);
  // Connects a button to a handler that runs guarded.
  void OnClick(platform::PictureButton* button, void (TFormMain::*handler)());

  platform::Prompts& prompts_;
  // True while a mouse button pressed on the track bar is held.
  bool trackBarCaptured_ = false;
};

}  // namespace cliploom
