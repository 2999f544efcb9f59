#include "discloom/ChapterSearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <set>
#include <utility>

namespace discloom {
namespace {

class Search {
 public:
  explicit Search(dev_t device) : device_(device) {}

  void Walk(const QString& folder, const struct stat& identity) {
    if (!visited_.insert({identity.st_dev, identity.st_ino}).second) return;
    DIR* stream = opendir(QFile::encodeName(folder).constData());
    if (!stream) return;
    while (const dirent* entry = readdir(stream)) {
      const QByteArray rawName(entry->d_name);
      if (rawName == "." || rawName == "..") continue;
      const QString name = QFile::decodeName(rawName);
      struct stat status {};
      const bool isFolder =
          fstatat(dirfd(stream), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
      if (isFolder) {
        if (status.st_dev == device_) Walk(folder + name + u'/', status);
      } else if (IsChapterFileName(name)) {
        found_.push_back({name.left(name.size() - 4), folder + name});
      }
    }
    closedir(stream);
  }

  std::vector<ChapterFile> Take() { return std::move(found_); }

 private:
  dev_t device_;
  std::set<std::pair<dev_t, ino_t>> visited_;
  std::vector<ChapterFile> found_;
};

}  // namespace

bool IsChapterFileName(const QString& fileName) {
  return fileName.endsWith(QLatin1String(".VOB"), Qt::CaseSensitive) &&
         fileName != QLatin1String("VIDEO_TS.VOB");
}

std::vector<ChapterFile> FindChapterFiles(const QString& folder) {
  struct stat root {};
  if (stat(QFile::encodeName(folder).constData(), &root) != 0 || !S_ISDIR(root.st_mode)) return {};
  Search search(root.st_dev);
  search.Walk(folder, root);
  return search.Take();
}

}  // namespace discloom
