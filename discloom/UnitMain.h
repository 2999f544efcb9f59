#pragma once

#include <QWidget>

namespace platform {
class Prompts;
}

namespace discloom {

// The DVD converter's main window.
class TFormMain : public QWidget {
  Q_OBJECT

 public:
  explicit TFormMain(platform::Prompts& prompts, QWidget* parent = nullptr);

 private:
  platform::Prompts& prompts_;
};

}  // namespace discloom
