#pragma once

#include <QtGlobal>

#include "tests/support/TempFolder.h"

namespace testing_support {

// Points the per-user cache folder (XDG_CACHE_HOME) at a temporary folder
// while it lives, so that a window's working folder lands there.
struct TemporaryCache {
  TemporaryCache() { qputenv("XDG_CACHE_HOME", folder.Path().toUtf8()); }
  ~TemporaryCache() { qunsetenv("XDG_CACHE_HOME"); }
  TempFolder folder;
};

}  // namespace testing_support
