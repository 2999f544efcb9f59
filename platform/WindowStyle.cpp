#include "platform/WindowStyle.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

namespace platform {

QFont JapaneseUiFont() {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")});
  font.setPixelSize(12);
  return font;
}

void MakeFixedWindow(QWidget& window, QSize clientSize) {
  window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint);
  window.setFont(JapaneseUiFont());
  window.setFixedSize(clientSize);
}

void CenterWindow(QWidget& window, const QWidget* over) {
  QRect area;
  if (over && over->isVisible()) {
    area = over->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  QRect frame = window.frameGeometry();
  frame.moveCenter(area.center());
  window.move(frame.topLeft());
}

void UseIconTheme() {
  const QString current = QIcon::themeName();
  if (current.isEmpty() || current == QStringLiteral("hicolor")) {
    QIcon::setThemeName(QStringLiteral("Adwaita"));
  }
}

}  // namespace platform
