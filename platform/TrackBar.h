#pragma once

#include <QSlider>

namespace platform {

// A horizontal slider that also shows a selected range (SelStart..SelEnd)
// as a band along its groove, like the track bars of the Windows programs.
class TrackBar : public QSlider {
  Q_OBJECT

 public:
  explicit TrackBar(QWidget* parent = nullptr);

  int SelStart() const { return selStart_; }
  int SelEnd() const { return selEnd_; }
  void SetSelStart(int value);
  void SetSelEnd(int value);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int selStart_ = 0;
  int selEnd_ = 0;
};

}  // namespace platform
