#include "cliploom/UnitFormStatus.h"

#include "platform/WindowStyle.h"

namespace cliploom {

TFormStatus::TFormStatus(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("状況"));
  platform::MakeFixedWindow(*this, QSize(465, 93));
}

}  // namespace cliploom
