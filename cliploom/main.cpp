#include <QApplication>

#include "cliploom/UnitFormMain.h"
#include "platform/QtPrompts.h"
#include "platform/SingleInstance.h"
#include "platform/WindowStyle.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ClipLoom"));
  platform::QtPrompts prompts;

  platform::SingleInstanceLock lock(QStringLiteral("CLIP_LOOM_RUNNING"));
  if (!lock.TryTake()) {
    prompts.ShowMessage(QStringLiteral("既に起動しています"), QStringLiteral("ClipLoom"),
                        platform::PromptIcon::None);
    return 0;
  }

  platform::UseIconTheme();
  QApplication::setFont(platform::JapaneseUiFont());
  cliploom::TFormMain formMain(prompts);
  prompts.SetOwner(&formMain);
  formMain.show();
  platform::CenterWindow(formMain);
  return QApplication::exec();
}
