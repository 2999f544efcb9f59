#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <functional>

namespace testing_support {

// Processes events until `done` holds or `timeoutMs` has passed; returns
// whether it held. A time limit, never a pause that a test relies on.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

}  // namespace testing_support
