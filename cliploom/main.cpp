#include <QApplication>
#include <memory>

#include "cliploom/UnitFormConfig.h"
#include "cliploom/UnitFormMain.h"
#include "cliploom/UnitFormStatus.h"
#include "platform/MpvDevice.h"
#include "platform/QtPrompts.h"
#include "platform/SingleInstance.h"
#include "platform/WindowStyle.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::QtPrompts prompts;

  platform::SingleInstanceLock lock(QStringLiteral("CLIP_LOOM_RUNNING"));
  if (!lock.TryTake()) {
    prompts.ShowMessage(QStringLiteral("既に起動しています"), QStringLiteral("ClipLoom"),
                        platform::PromptIcon::None);
    return 0;
  }

  QApplication::setApplicationName(QStringLiteral("ClipLoom"));
  platform::UseIconTheme();
  QApplication::setFont(platform::JapaneseUiFont());

  cliploom::TFormMain formMain(prompts, std::make_unique<platform::MpvDevice>());
  prompts.SetOwner(&formMain);
  cliploom::TFormConfig formConfig;
  cliploom::TFormStatus formStatus;

  formMain.show();
  platform::CenterWindow(formMain);
  return QApplication::exec();
}
