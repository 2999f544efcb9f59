#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

namespace platform {

// A frameless image button of a fixed size. Its three pictures (normal,
// pressed, hover) are drawn once at construction from its words and a theme
// icon; when the theme lacks the icon, a simple drawn glyph stands in.
class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  enum class Glyph {
    None,
    Film,
    Disc,
    Delete,
    Folder,
    Convert,
    Stop,
    Play,
    Square,
    Back,
    Step,
    Scissors,
    ArrowLeft,
    ArrowRight,
    ArrowDown,
    Refresh,
    Check,
    Cross,
    Save,
  };
  enum class Placement { Above, Left, TextOnly };

  PictureButton(const QString& words, Glyph glyph, Placement placement, QSize size,
                QWidget* parent = nullptr);
  // The same, placed at `geometry` inside `parent`.
  PictureButton(const QString& words, Glyph glyph, Placement placement, QRect geometry,
                QWidget* parent);

  // The words as one line; a "\n" in the words given to the constructor only
  // chooses where the picture breaks them.
  QString Words() const { return QString(words_).remove(u'\n'); }
  QSize sizeHint() const override { return size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  enum class Look { Normal, Pressed, Hover };
  QPixmap Draw(Look look) const;

  QString words_;
  Glyph glyph_;
  Placement placement_;
  QPixmap normal_;
  QPixmap pressed_;
  QPixmap hover_;
  bool hovered_ = false;
};

}  // namespace platform
