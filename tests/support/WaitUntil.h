#pragma once

#include "platform/EventWait.h"

namespace testing_support {

// Processes events until `done` holds or `timeoutMs` has passed; returns
// whether it held. A time limit, never a pause that a test relies on.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  return platform::ProcessEventsUntil(done, timeoutMs);
}

}  // namespace testing_support
