#pragma once

#include <QString>

namespace platform {
class Prompts;
}

namespace common {

// Shows the modal folder browser with `caption` as its instruction line,
// limited to `root` (empty: the whole file system). On confirmation stores
// the chosen folder in `folder` and returns true; the root "/" keeps its
// delimiter, any other folder has none at the end. Cancel returns false and
// leaves `folder` alone.
bool SelectFolder(platform::Prompts& prompts, const QString& caption, const QString& root,
                  QString& folder);

}  // namespace common
