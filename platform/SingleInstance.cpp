#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace platform {
namespace {

QString DefaultLockPath(const QString& name) {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists()) {
    return QString::fromLocal8Bit(runtime) + u'/' + name + QStringLiteral(".lock");
  }
  return QStringLiteral("/tmp/") + name + u'-' + QString::number(getuid()) +
         QStringLiteral(".lock");
}

}  // namespace

SingleInstanceLock::SingleInstanceLock(const QString& name, const QString& folder)
    : path_(folder.isEmpty() ? DefaultLockPath(name)
                             : QDir(folder).filePath(name + QStringLiteral(".lock"))) {}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) close(fd_);
}

bool SingleInstanceLock::TryTake() {
  if (fd_ >= 0) return true;
  const int fd = open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

}  // namespace platform
