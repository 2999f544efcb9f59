#include "cliploom/UnitFormMain.h"

#include "platform/WindowStyle.h"

namespace cliploom {

TFormMain::TFormMain(platform::Prompts& prompts, QWidget* parent)
    : QWidget(parent), prompts_(prompts) {
  setWindowTitle(QStringLiteral("ClipLoom"));
  platform::MakeFixedWindow(*this, QSize(712, 646));
}

}  // namespace cliploom
