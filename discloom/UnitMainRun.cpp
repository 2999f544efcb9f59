// The conversion run of the main window: one converter per waiting item,
// progress under the list, the outcome from the exit code, cancel, and the
// end of the run.

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include "common/PathNames.h"
#include "discloom/ConvertProgress.h"
#include "discloom/UnitMain.h"
#include "platform/DosCommand.h"
#include "platform/EventWait.h"
#include "platform/PictureButton.h"
#include "platform/Prompts.h"

namespace discloom {
namespace {

const QString kInformation = QStringLiteral("情報");
const QString kConverterPath = QStringLiteral("lib/ffmpeg");

// How long a cancel waits for the stopped converter, and how long it keeps
// trying to delete the partial output.
constexpr int kStopWaitMs = 10000;
constexpr int kDeleteRetryMs = 3000;

}  // namespace

bool TFormMain::IsConverting() const { return !PngBtnConvertMovie->isEnabled(); }

void TFormMain::BtnConvertClick() {
  Cancelling = false;
  if (HasFinished()) {
    prompts_.ShowMessage(QStringLiteral("変換完了した動画はリストから削除されます"), kInformation,
                         platform::PromptIcon::None);
  }
  RemoveFinished();
  if (ConvertList.Count() == 0) {
    prompts_.ShowMessage(QStringLiteral("変換する動画をリストに追加してください"), kInformation,
                         platform::PromptIcon::None);
    return;
  }
  ConvertList.SaveDir = EditSaveDir->text();
  ConvertList.OpenSaveDir = CBOpenDir->isChecked();
  SetConverting(true);
  ConvertNext();
}

// Starts the waiting items one after the other. Each converter's end only
// records the outcome; the next item starts here once the previous wait has
// returned, so a long queue never nests one waiting loop per file.
void TFormMain::ConvertNext() {
  for (;;) {
    SituationText.clear();
    ShowSituation();
    ZoConvertInfoObject* item = ConvertList.FindWaiting();
    if (!item) {
      ConvertFinished();
      return;
    }
    item->State = TConvertState::csConverting;
    RefreshFileList();
    const QString output =
        common::MakeUniqueFileName(OutputPathFor(ConvertList.SaveDir, item->SourceFileName));
    item->OutputFileName = output;
    DosCommandConvert->CommandLine =
        kConverterPath + ZoConvertInfoObjectList::BuildCommandLine(item->SourceFileName, output);
    DosCommandConvert->RunAndWait();
    // A confirmed cancel has put the window back to idle: start nothing more.
    if (!IsConverting()) return;
  }
}

void TFormMain::DosCommandConvertNewLine(const QString& line, int) {
  const std::optional<qint64> seconds = ReadProgressSeconds(line);
  if (!seconds) return;
  SituationText = SituationTextFor(*seconds);
  ShowSituation();
}

void TFormMain::DosCommandConvertTerminated(int exitCode) {
  ZoConvertInfoObject* item = ConvertList.FindConverting();
  if (Cancelling) {
    stoppedChildEnded_ = true;
    return;
  }
  if (!item) return;
  item->State = exitCode == 0 ? TConvertState::csConverted : TConvertState::csFailed;
  RefreshFileList();
}

void TFormMain::PngBtnConvertCancelClick() {
  if (!prompts_.AskYesNo(QStringLiteral("変換を中止してよろしいですか？"), QStringLiteral("確認"),
                         platform::PromptIcon::None)) {
    return;
  }
  if (!DosCommandConvert->IsRunning()) return;
  Cancelling = true;
  stoppedChildEnded_ = false;
  DosCommandConvert->Stop();
  platform::ProcessEventsUntil([this] { return stoppedChildEnded_; }, kStopWaitMs);

  if (ZoConvertInfoObject* item = ConvertList.FindConverting()) {
    item->State = TConvertState::csWaiting;
    DeletePartialOutput(item->OutputFileName);
  }
  SituationText.clear();
  ShowSituation();
  RefreshFileList();
  SetConverting(false);
  Cancelling = false;
}

void TFormMain::DeletePartialOutput(const QString& path) {
  if (path.isEmpty()) return;
  platform::ProcessEventsUntil([&] { return !QFile::exists(path) || QFile::remove(path); },
                               kDeleteRetryMs);
}

void TFormMain::ConvertFinished() {
  RestoreWindow();
  prompts_.ShowMessage(QStringLiteral("変換が完了しました"), kInformation,
                       platform::PromptIcon::None);
  SetConverting(false);
  if (ConvertList.OpenSaveDir && OpenFolder) OpenFolder(ConvertList.SaveDir);
}

void TFormMain::ShowSituation() { LblSituation->setText(SituationText); }

void TFormMain::RestoreWindow() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

}  // namespace discloom
