#include "discloom/UnitMain.h"

#include "platform/WindowStyle.h"

namespace discloom {

TFormMain::TFormMain(platform::Prompts& prompts, QWidget* parent)
    : QWidget(parent), prompts_(prompts) {
  setWindowTitle(QStringLiteral("DiscLoom"));
  platform::MakeFixedWindow(*this, QSize(386, 303));
}

}  // namespace discloom
