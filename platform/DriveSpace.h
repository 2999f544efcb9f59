#pragma once

#include <QString>

namespace platform {

// Whether a medium is mounted at `root` (a mount point, "/" included) and the
// system answers the question for its size. An existing folder that nothing
// is mounted on, such as the fixed mount folder of an empty optical drive,
// answers false, and so does a missing folder. Never shows anything.
bool CanQueryDriveSize(const QString& root);

}  // namespace platform
