#include "platform/ShellFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {
namespace {

QString AsFolder(QString path) {
  if (path.isEmpty()) path = QDir::homePath();
  path = QDir::cleanPath(path);
  return path.endsWith(u'/') ? path : path + u'/';
}

}  // namespace

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
