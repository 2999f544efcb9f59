#include "platform/EventWait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace platform {

bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

}  // namespace platform
