#include <gtest/gtest.h>

#include <QApplication>

#include "platform/WindowStyle.h"

// Every test program runs inside one QApplication, headless unless told
// otherwise, so that widgets and event loops work as in the programs.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  platform::UseIconTheme();
  QApplication::setFont(platform::JapaneseUiFont());
  return RUN_ALL_TESTS();
}
