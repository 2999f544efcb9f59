#include "common/PathNames.h"

#include <QFileInfo>

namespace common {
namespace {

bool FileExists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isDir();
}

}  // namespace

StemAndExtension SplitExtension(const QString& path) {
  const qsizetype componentStart = path.lastIndexOf(u'/') + 1;
  const qsizetype period = path.lastIndexOf(u'.');
  if (period < componentStart) return {path, QString()};
  return {path.left(period), path.mid(period)};
}

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

QString MakeUniqueFileName(const QString& path) {
  if (!FileExists(path)) return path;
  const auto [stem, extension] = SplitExtension(path);
  for (quint64 n = 1;; ++n) {
    QString candidate = stem + u'(' + QString::number(n) + u')' + extension;
    if (!FileExists(candidate)) return candidate;
  }
}

}  // namespace common
