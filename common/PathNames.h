#pragma once

#include <QString>

namespace common {

// Turns a wanted output path into one that names no existing file by
// inserting "(1)", "(2)", ... before the extension of the last path
// component. Folders do not count as taken; the first free number wins.
QString MakeUniqueFileName(const QString& path);

// Splits a "/" path into stem and extension: the extension is the text of the
// last path component from its last period on, empty when it has none.
struct StemAndExtension {
  QString stem;
  QString extension;
};
StemAndExtension SplitExtension(const QString& path);

// The file-name part of a "/" path: the text after its last "/".
QString FileNamePart(const QString& path);

}  // namespace common
