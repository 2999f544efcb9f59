#include "platform/TrackBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace platform {

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TrackBar::SetSelStart(int value) {
  selStart_ = value;
  update();
}

void TrackBar::SetSelEnd(int value) {
  selEnd_ = value;
  update();
}

void TrackBar::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  if (selEnd_ <= selStart_ || maximum() <= minimum()) return;
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  const int span = groove.width() - handle.width();
  const auto x = [&](int value) {
    return groove.left() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
  };
  QPainter painter(this);
  painter.fillRect(QRect(QPoint(x(selStart_), groove.center().y() - 2),
                         QPoint(x(selEnd_), groove.center().y() + 2)),
                   palette().color(QPalette::Highlight));
}

}  // namespace platform
