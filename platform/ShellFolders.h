#pragma once

#include <QString>

namespace platform {

// The user's special folders from the XDG settings, each ending with exactly
// one "/". The folders need not exist.
QString DesktopFolder();
QString DocumentsFolder();
// Per-user stand-in for the shared application-data folder: the XDG cache.
QString CommonAppDataFolder();

// Appends "/" unless the text already ends with one.
QString WithTrailingDelimiter(const QString& folder);

}  // namespace platform
