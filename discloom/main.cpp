#include <QApplication>

#include "discloom/UnitMain.h"
#include "discloom/UnitSelectDVD.h"
#include "platform/QtPrompts.h"
#include "platform/SingleInstance.h"
#include "platform/WindowStyle.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("DiscLoom"));
  platform::QtPrompts prompts;

  platform::SingleInstanceLock lock(QStringLiteral("DISCLOOM_RUNNING"));
  if (!lock.TryTake()) {
    prompts.ShowMessage(QStringLiteral("既に起動しています"), QStringLiteral("情報"),
                        platform::PromptIcon::None);
    return 0;
  }

  platform::UseIconTheme();
  QApplication::setFont(platform::JapaneseUiFont());
  discloom::TFormMain formMain(prompts);
  prompts.SetOwner(&formMain);
  // Created hidden after the main window; it looks at the drives once now.
  discloom::TFormSelectDVD formSelectDVD(prompts, platform::OpticalDrives(),
                                         &discloom::TFormMain::IsDriveReady, &formMain);
  formMain.FormSelectDVD = &formSelectDVD;
  formMain.show();
  platform::CenterWindow(formMain);
  return QApplication::exec();
}
