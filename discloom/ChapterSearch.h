#pragma once

#include <QString>
#include <vector>

namespace discloom {

// One chapter of a disc: a video object file, shown by its name without the
// extension.
struct ChapterFile {
  QString name;  // "VTS_01_1"
  QString path;  // the file found, "/media/disc/VIDEO_TS/VTS_01_1.VOB"
};

// A chapter's file name ends exactly in ".VOB" (upper case) and is not the
// menu file "VIDEO_TS.VOB".
bool IsChapterFileName(const QString& fileName);

// Searches `folder` (ending in "/") and every folder below it, depth first,
// visiting each folder's entries in the order the file system returns them.
// A folder that cannot be read contributes nothing. Symbolic links are
// followed, but no folder is searched twice and the search never leaves the
// file system that `folder` lies on, so link loops end.
std::vector<ChapterFile> FindChapterFiles(const QString& folder);

}  // namespace discloom
