#pragma once

#include <QFile>

#include "platform/OpticalDrives.h"
#include "tests/support/TempFolder.h"

namespace testing_support {

// A fake mount table, /sys and /dev in a temporary folder, for the optical
// drive layer. Device paths are the fake /dev's files.
class FakeDiscSystem {
 public:
  FakeDiscSystem() {
    folder_.MakeFolder("sys/block");
    folder_.MakeFolder("dev/disk/by-label");
    folder_.Touch("mounts");
  }

  platform::SystemRoots Roots() const {
    return {folder_("mounts"), folder_("sys"), folder_("dev")};
  }
  QString Device(const QString& name) const { return folder_("dev/" + name); }

  // A block device (sr0, loop0, sda ...) in /sys and its node in /dev.
  QString AddBlockDevice(const QString& name) const {
    folder_.MakeFolder("sys/block/" + name);
    return folder_.Touch("dev/" + name);
  }
  void RemoveBlockDevice(const QString& name) const {
    QDir(folder_("sys/block/" + name)).removeRecursively();
    QFile::remove(folder_("dev/" + name));
  }
  // Appends a raw line to the mount table (fields escaped as the kernel does).
  void AddMountLine(const QByteArray& line) const {
    QFile table(folder_("mounts"));
    if (table.open(QIODevice::Append)) table.write(line + '\n');
  }
  void Mount(const QString& source, const QString& mountPoint, const QString& type) const {
    AddMountLine(QFile::encodeName(source).replace(' ', "\\040") + ' ' +
                 QFile::encodeName(mountPoint).replace(' ', "\\040") + ' ' + type.toUtf8() +
                 " ro,relatime 0 0");
  }
  void ClearMounts() const { folder_.Touch("mounts"); }
  // A udev by-label link, `escapedName` as udev writes it ("MY\x20DISC").
  void AddLabelLink(const QString& escapedName, const QString& deviceName) const {
    QFile::link("../../" + deviceName, folder_("dev/disk/by-label/" + escapedName));
  }
  void SetLoopBacking(const QString& loopName, const QString& backingFile, qint64 offset) const {
    folder_.Touch("sys/block/" + loopName + "/loop/backing_file",
                  QFile::encodeName(backingFile) + '\n');
    folder_.Touch("sys/block/" + loopName + "/loop/offset", QByteArray::number(offset) + '\n');
  }

  const TempFolder& Folder() const { return folder_; }

 private:
  TempFolder folder_;
};

}  // namespace testing_support
