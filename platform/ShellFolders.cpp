#include "platform/ShellFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {
namespace {

QString AsFolder(QString path) {
  if (path.isEmpty()) path = QDir::homePath();
  return WithTrailingDelimiter(QDir::cleanPath(path));
}

}  // namespace

QString WithTrailingDelimiter(const QString& folder) {
  return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString DesktopFolder() {
  return AsFolder(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString DocumentsFolder() {
  return AsFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString CommonAppDataFolder() {
  return AsFolder(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
}

}  // namespace platform
