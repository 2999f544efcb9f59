#include "cliploom/SourceFiles.h"

#include <QDir>
#include <QFileInfo>

#include "common/PathNames.h"
#include "platform/ShellFolders.h"

namespace cliploom {

bool IsAcceptedDropName(const QString& path) {
  const QString extension = common::SplitExtension(path).extension.toUpper();
  return extension == u".AVI" || extension == u".WMV" || extension == u".MPG" ||
         extension == u".MPEG";
}

QString PrepareWorkFolder(const QString& base) {
  QString folder = base;
  while (folder.endsWith(u'/') && folder.size() > 1) folder.chop(1);
  // The per-user cache folder need not exist yet on a fresh account.
  if (!QFileInfo(folder).isDir()) QDir().mkpath(folder);
  for (const char* level : {"Vorneth", "ClipLoom", "tmp"}) {
    folder = platform::WithTrailingDelimiter(folder) + QLatin1String(level);
    if (!QFileInfo(folder).isDir()) QDir().mkdir(folder);
  }
  return platform::WithTrailingDelimiter(folder);
}

}  // namespace cliploom
