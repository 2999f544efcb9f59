#pragma once

#include <QWidget>

namespace cliploom {

// The progress window of a save job, created hidden at start.
class TFormStatus : public QWidget {
  Q_OBJECT

 public:
  explicit TFormStatus(QWidget* parent = nullptr);
};

}  // namespace cliploom
