#pragma once

#include <functional>

namespace platform {

// Keeps the GUI thread processing events until `done` holds or `timeoutMs`
// has passed; returns whether it held. Checks `done` about every 10 ms
// without spinning.
bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace platform
