#include "common/SelectFolder.h"

#include <QDir>

#include "platform/Prompts.h"

namespace common {

bool SelectFolder(platform::Prompts& prompts, const QString& caption, const QString& root,
                  QString& folder) {
  const std::optional<QString> chosen = prompts.ChooseFolder(caption, root, folder);
  if (!chosen || chosen->isEmpty()) return false;
  folder = QDir::cleanPath(*chosen);
  return true;
}

}  // namespace common
