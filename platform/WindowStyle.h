#pragma once

#include <QFont>
#include <QSize>

class QWidget;

namespace platform {

// "ＭＳ Ｐゴシック" at 12 pixels, falling back to a Japanese sans.
QFont JapaneseUiFont();

// Gives a top-level window a fixed client size, the title bar with system
// menu, minimise and close boxes but no maximise box, and the UI font.
void MakeFixedWindow(QWidget& window, QSize clientSize);

// Moves a top-level window to the centre of its screen (or of `over`).
void CenterWindow(QWidget& window, const QWidget* over = nullptr);

// Picks an icon theme with full-colour pictures when the desktop set none.
void UseIconTheme();

}  // namespace platform
