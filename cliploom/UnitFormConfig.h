#pragma once

#include <QWidget>

namespace cliploom {

// The output settings dialog, created hidden at start and shown before each
// save.
class TFormConfig : public QWidget {
  Q_OBJECT

 public:
  explicit TFormConfig(QWidget* parent = nullptr);
};

}  // namespace cliploom
