#pragma once

// The DVD converter's main window: the queue of video object files in a list
// view, the buttons that add and remove files, the save folder, and the look
// switch between idle and converting. The queue itself (ZoConvertInfo.h)
// knows nothing of the window; the window rebuilds its rows from it after
// every change.

#include <QList>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "discloom/ZoConvertInfo.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace platform {
class PictureButton;
class Prompts;
class TDosCommand;
}  // namespace platform

namespace discloom {

class TFormSelectDVD;

class TFormMain : public QWidget {
  Q_OBJECT

 public:
  explicit TFormMain(platform::Prompts& prompts, QWidget* parent = nullptr);

  // Switches between the idle look (false) and the converting look (true),
  // in which only the cancel button acts and drops are refused.
  void SetConverting(bool converting);
  // Whether the medium mounted at `root` (a mount point ending in "/") can be
  // read; never shows a dialog.
  static bool IsDriveReady(const QString& root);

  // The queue side.
  void AddConvertFile(const QString& path);
  void RefreshFileList();
  bool HasFinished() const;
  void RemoveFinished();
  // Queues the dropped local ".VOB" files in order; warns once at the first
  // refused name (another extension, a folder, or not a local file).
  void DropFiles(const QList<QUrl>& urls);

  // Button handlers.
  void PngBtnAddFileClick();
  void PngBtnListDeleteClick();
  void PngBtnSelectDirClick();
  // Shows the chapter picker modally and queues the chapters it accepted.
  void PngBtnAddDVDClick();

  // The conversion run: converts every waiting item one after the other.
  void BtnConvertClick();
  void ConvertNext();
  void DosCommandConvertNewLine(const QString& line, int outputType);
  void DosCommandConvertTerminated(int exitCode);
  void PngBtnConvertCancelClick();
  void ConvertFinished();
  void ShowSituation();
  void RestoreWindow();

  // Answers whether the window may close now; refuses with a message while a
  // conversion runs.
  void FormCloseQuery(bool& canClose);

  // The file dialog that adds one file to the queue.
  struct OpenDialogSettings {
    QString Filter;
    QString InitialDir;
  };

  ZoConvertInfoObjectList ConvertList;
  QString MyDocumentsDir;  // ends with "/"
  QString DesktopDir;      // ends with "/"
  OpenDialogSettings OpenDialogMovie;
  // Progress text under the list and the cancel guard, both kept by the run.
  QString SituationText;
  bool Cancelling = false;
  // The chapter picker, created hidden after this window and owned by the
  // program; nullptr until then.
  TFormSelectDVD* FormSelectDVD = nullptr;

  // Runs the converter; owned by the window.
  platform::TDosCommand* DosCommandConvert = nullptr;
  // Opens a folder in the desktop's file browser after a run.
  std::function<void(const QString& folder)> OpenFolder;

  platform::PictureButton* PngBtnAddFile = nullptr;
  platform::PictureButton* PngBtnAddDVD = nullptr;
  platform::PictureButton* PngBtnListDelete = nullptr;
  QTableWidget* ListViewConvertFile = nullptr;
  QLineEdit* EditSaveDir = nullptr;
  platform::PictureButton* PngBtnSelectDir = nullptr;
  QCheckBox* CBOpenDir = nullptr;
  QLabel* LblSituation = nullptr;
  platform::PictureButton* PngBtnConvertMovie = nullptr;
  platform::PictureButton* PngBtnConvertCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void ConnectHandlers();
  void FormCreate();
  void GetSpecialFolders();
  // Routes drag-and-drop events of the list view to DropFiles; returns true
  // when the event was handled here.
  bool AppMessage(QEvent* event);

  bool IsConverting() const;
  // Deletes a cancelled item's partial output, retrying for a short while
  // when the ending converter still holds it.
  void DeletePartialOutput(const QString& path);

  platform::Prompts& prompts_;
  // Set when the end of a stopped converter has been handled.
  bool stoppedChildEnded_ = false;
};

}  // namespace discloom
