#include "cliploom/UnitFormConfig.h"

#include "platform/WindowStyle.h"

namespace cliploom {

TFormConfig::TFormConfig(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("出力設定"));
  platform::MakeFixedWindow(*this, QSize(493, 181));
}

}  // namespace cliploom
