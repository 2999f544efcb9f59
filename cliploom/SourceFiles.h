#pragma once

#include <QString>

namespace cliploom {

// Whether a dropped name ends in an extension the editor takes: ".avi",
// ".wmv", ".mpg" or ".mpeg" in any case. Folders are judged by name alike.
bool IsAcceptedDropName(const QString& path);

// Creates `base` when it is missing, then `base`/Vorneth/ClipLoom/tmp level
// by level, leaving levels that exist alone and ignoring failures; returns
// that folder with exactly one "/" at each joint and at the end.
QString PrepareWorkFolder(const QString& base);

}  // namespace cliploom
