#include "platform/DriveSpace.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace platform {
namespace {

// A folder is a mount point when it lies on another file system than its
// parent, or when it is its own parent (the root).
bool IsMountPoint(const QByteArray& folder, const struct stat& self) {
  struct stat parent {};
  if (::stat((folder + "/..").constData(), &parent) != 0) return false;
  return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

}  // namespace

bool CanQueryDriveSize(const QString& root) {
  if (root.isEmpty()) return false;
  const QByteArray folder = QFile::encodeName(QDir::cleanPath(root));
  struct stat self {};
  if (::stat(folder.constData(), &self) != 0 || !S_ISDIR(self.st_mode)) return false;
  if (!IsMountPoint(folder, self)) return false;
  struct statvfs size {};
  return ::statvfs(folder.constData(), &size) == 0;
}

}  // namespace platform
