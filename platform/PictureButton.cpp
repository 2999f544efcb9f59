#include "platform/PictureButton.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

namespace platform {
namespace {

QString ThemeIconName(PictureButton::Glyph glyph) {
  using G = PictureButton::Glyph;
  switch (glyph) {
    case G::Film:
      return QStringLiteral("camera-video");
    case G::Disc:
      return QStringLiteral("media-optical");
    case G::Delete:
      return QStringLiteral("edit-delete");
    case G::Folder:
      return QStringLiteral("folder");
    case G::Convert:
      return QStringLiteral("view-refresh");
    case G::Stop:
      return QStringLiteral("process-stop");
    case G::Play:
      return QStringLiteral("media-playback-start");
    case G::Square:
      return QStringLiteral("media-playback-stop");
    case G::Back:
      return QStringLiteral("media-seek-backward");
    case G::Step:
      return QStringLiteral("media-seek-forward");
    case G::Scissors:
      return QStringLiteral("edit-cut");
    case G::ArrowLeft:
      return QStringLiteral("go-previous");
    case G::ArrowRight:
      return QStringLiteral("go-next");
    case G::ArrowDown:
      return QStringLiteral("go-down");
    case G::Refresh:
      return QStringLiteral("view-refresh");
    case G::Check:
      return QStringLiteral("object-select");
    case G::Cross:
      return QStringLiteral("window-close");
    case G::Save:
      return QStringLiteral("document-save");
    case G::None:
      break;
  }
  return QString();
}

// A plain stand-in drawn when the icon theme has no picture.
void DrawFallbackGlyph(QPainter& p, QRectF r, PictureButton::Glyph glyph) {
  using G = PictureButton::Glyph;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 70, 120), 1.5));
  p.setBrush(QColor(70, 110, 170));
  const QPointF c = r.center();
  const qreal h = r.height() / 2;
  QPainterPath path;
  switch (glyph) {
    case G::Play:
    case G::ArrowRight:
    case G::Step:
      path.moveTo(c.x() - h * 0.6, c.y() - h * 0.7);
      path.lineTo(c.x() + h * 0.7, c.y());
      path.lineTo(c.x() - h * 0.6, c.y() + h * 0.7);
      path.closeSubpath();
      break;
    case G::ArrowLeft:
    case G::Back:
      path.moveTo(c.x() + h * 0.6, c.y() - h * 0.7);
      path.lineTo(c.x() - h * 0.7, c.y());
      path.lineTo(c.x() + h * 0.6, c.y() + h * 0.7);
      path.closeSubpath();
      break;
    case G::ArrowDown:
      path.moveTo(c.x() - h * 0.7, c.y() - h * 0.5);
      path.lineTo(c.x() + h * 0.7, c.y() - h * 0.5);
      path.lineTo(c.x(), c.y() + h * 0.7);
      path.closeSubpath();
      break;
    case G::Disc:
    case G::Convert:
    case G::Refresh:
      path.addEllipse(c, h * 0.8, h * 0.8);
      path.addEllipse(c, h * 0.2, h * 0.2);
      break;
    case G::Cross:
    case G::Delete:
      p.setPen(QPen(QColor(170, 40, 40), 3));
      p.drawLine(QPointF(c.x() - h * 0.6, c.y() - h * 0.6),
                 QPointF(c.x() + h * 0.6, c.y() + h * 0.6));
      p.drawLine(QPointF(c.x() + h * 0.6, c.y() - h * 0.6),
                 QPointF(c.x() - h * 0.6, c.y() + h * 0.6));
      break;
    case G::None:
      break;
    default:
      path.addRoundedRect(QRectF(c.x() - h * 0.7, c.y() - h * 0.7, h * 1.4, h * 1.4), 2, 2);
      break;
  }
  p.drawPath(path);
  p.restore();
}

}  // namespace

PictureButton::PictureButton(const QString& words, Glyph glyph, Placement placement, QSize size,
                             QWidget* parent)
    : QAbstractButton(parent), words_(words), glyph_(glyph), placement_(placement) {
  setFixedSize(size);
  setFocusPolicy(Qt::TabFocus);
  setCursor(Qt::PointingHandCursor);
  setAccessibleName(Words());
  setToolTip(Words());
  normal_ = Draw(Look::Normal);
  pressed_ = Draw(Look::Pressed);
  hover_ = Draw(Look::Hover);
}

PictureButton::PictureButton(const QString& words, Glyph glyph, Placement placement, QRect geometry,
                             QWidget* parent)
    : PictureButton(words, glyph, placement, geometry.size(), parent) {
  move(geometry.topLeft());
}

QPixmap PictureButton::Draw(Look look) const {
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(size() * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);

  const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
  switch (look) {
    case Look::Normal:
      fill.setColorAt(0, QColor(252, 252, 252));
      fill.setColorAt(1, QColor(226, 230, 236));
      break;
    case Look::Hover:
      fill.setColorAt(0, QColor(240, 247, 255));
      fill.setColorAt(1, QColor(205, 225, 248));
      break;
    case Look::Pressed:
      fill.setColorAt(0, QColor(190, 212, 240));
      fill.setColorAt(1, QColor(215, 230, 250));
      break;
  }
  p.setBrush(fill);
  p.setPen(QColor(look == Look::Normal ? 160 : 100, look == Look::Normal ? 165 : 140, 190));
  p.drawRoundedRect(frame, 4, 4);

  const int shift = look == Look::Pressed ? 1 : 0;
  const QRect area = rect().adjusted(3 + shift, 2 + shift, -3 + shift, -2 + shift);
  const QFontMetrics metrics(font());
  // Height of the words wrapped into `width`, so that long words get the
  // lines they need and the icon takes what is left.
  const auto wrappedHeight = [&](int width) {
    return metrics.boundingRect(QRect(0, 0, std::max(width, 1), 10000), Qt::TextWordWrap, words_)
        .height();
  };

  QRect iconRect;
  QRect textRect = area;
  int textFlags = Qt::AlignCenter | Qt::TextWordWrap;
  if (glyph_ != Glyph::None && placement_ == Placement::Above) {
    const int textHeight = wrappedHeight(area.width());
    const int side = std::max(0, std::min(area.width(), area.height() - textHeight - 2));
    iconRect = QRect(area.center().x() - side / 2 + 1, area.top() + 1, side, side);
    textRect =
        QRect(area.left(), iconRect.bottom() + 1, area.width(), area.bottom() - iconRect.bottom());
  } else if (glyph_ != Glyph::None && placement_ == Placement::Left) {
    // The largest icon (up to 32) that leaves the words room to fit.
    int side = std::max(0, std::min(area.height() - 2, 32));
    while (side > 12 && wrappedHeight(area.width() - side - 4) > area.height()) --side;
    iconRect = QRect(area.left() + 2, area.center().y() - side / 2 + 1, side, side);
    textRect =
        QRect(iconRect.right() + 2, area.top(), area.right() - iconRect.right() - 2, area.height());
    textFlags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap;
  }

  if (iconRect.isValid() && iconRect.width() >= 8) {
    const QIcon icon = QIcon::fromTheme(ThemeIconName(glyph_));
    if (!icon.isNull()) {
      icon.paint(&p, iconRect);
    } else {
      DrawFallbackGlyph(p, iconRect, glyph_);
    }
  }
  p.setFont(font());
  p.setPen(QColor(20, 30, 50));
  p.drawText(textRect, textFlags, words_);
  return pixmap;
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPixmap& picture = isDown() ? pressed_ : (hovered_ && isEnabled() ? hover_ : normal_);
  if (isEnabled()) {
    p.drawPixmap(0, 0, picture);
  } else {
    p.setOpacity(0.4);
    p.drawPixmap(0, 0, normal_);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(2, 2, -2, -2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
  }
}

void PictureButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace platform
