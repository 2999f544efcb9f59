#pragma once

#include <QDialog>
#include <functional>

#include "platform/OpticalDrives.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace platform {
class PictureButton;
class Prompts;
}  // namespace platform

namespace discloom {

class ZoConvertInfoObjectList;

// The chapter picker: lists the optical drives, the chapters (.VOB files) of
// the disc in the chosen one, and queues the chosen chapters. Created hidden
// once at start and shown modally again and again; the lists keep what the
// previous showing left.
class TFormSelectDVD : public QDialog {
  Q_OBJECT

 public:
  // Answers whether the medium at a drive root can be read.
  using DriveReadyCheck = std::function<bool(const QString& root)>;

  TFormSelectDVD(platform::Prompts& prompts, platform::OpticalDrives drives,
                 DriveReadyCheck isDriveReady, QWidget* parent = nullptr);

  // Refills the drive list and restores the remembered position: a position
  // above 0 is kept (none when it lies beyond the end), else the first entry.
  void RefreshDriveList();
  QString GetVolumeLabel(const QString& root) const;
  // The root of the chosen drive, empty when none is chosen.
  QString GetSelectedDrive() const;
  // Refills the chapter list from the chosen drive; asks for a disc when the
  // drive cannot be read and the dialog is the active window.
  void RefreshChapterList();
  // Appends the chapters found in `folder` (ending in "/") and below it.
  void FindChapters(const QString& folder, QListWidget& listBox);
  // Appends one waiting item per selected chapter, in list order.
  void AddSelectedChapters(ZoConvertInfoObjectList& queue);

  bool CloseAllowed() const { return closeAllowed_; }
  bool Accepted() const { return accepted_; }

  // Event handlers.
  void CBDriveListChange();
  void BtnRefreshChapterListClick();
  void BtnSelectAllClick();
  void BtnAnSelectAllClick();
  void BtnOKClick();
  void BtnCancelClick();

  QLabel* ImageBG;
  QComboBox* CBDriveList;
  platform::PictureButton* PngBtnRefreshChapterList;
  QListWidget* LBChapter;
  platform::PictureButton* PngBtnSelectAll;
  platform::PictureButton* PngBtnAnSelectAll;
  platform::PictureButton* PngBtnOK;
  platform::PictureButton* PngBtnCancel;

 public slots:
  // Escape and the window manager's close act as Cancel.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void CreateControls();
  void ConnectHandlers();
  // Hides the dialog and ends its modal showing when `CloseAllowed` says so.
  void CloseDialog();

  platform::Prompts& prompts_;
  platform::OpticalDrives drives_;
  DriveReadyCheck isDriveReady_;
  bool closeAllowed_ = false;
  bool accepted_ = false;
};

}  // namespace discloom
