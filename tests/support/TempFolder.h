#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace testing_support {

// A temporary folder with small helpers to lay out files for a test.
class TempFolder {
 public:
  QString Path() const { return dir_.path(); }
  // Absolute path of `relative` inside the folder.
  QString operator()(const QString& relative) const { return dir_.filePath(relative); }

  // Creates a file (and its folders) with the given bytes; returns its path.
  QString Touch(const QString& relative, const QByteArray& bytes = QByteArray()) const {
    const QString path = dir_.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
  }
  QString MakeFolder(const QString& relative) const {
    const QString path = dir_.filePath(relative);
    QDir().mkpath(path);
    return path;
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace testing_support
