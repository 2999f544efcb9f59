#pragma once

#include <QString>
#include <vector>

namespace platform {

// Where the drive layer reads the system's state. Tests point these at
// temporary folders holding a fake mount table, /sys tree and /dev tree.
struct SystemRoots {
  QString mountTable = QStringLiteral("/proc/self/mounts");
  QString sys = QStringLiteral("/sys");
  QString dev = QStringLiteral("/dev");
};

// One optical drive or mounted disc image. `root` is the mount point with one
// trailing "/"; a drive without a mounted medium has its device path as root.
struct OpticalDrive {
  QString root;
  QString device;
  bool mounted = false;
};

// The stand-in for drive letters of the CD-ROM type: every optical drive
// (/sys/block/sr*) in the order of its number, then every other mounted
// iso9660 or udf file system (disc images on loop devices, for instance) in
// the order of the mount table. A device mounted several times counts once,
// at its first mount point.
class OpticalDrives {
 public:
  explicit OpticalDrives(SystemRoots roots = {});

  std::vector<OpticalDrive> List() const;

  // The volume label of the medium mounted at `root`: the udev by-label link
  // that points at its device, else the label in the file system's volume
  // descriptor (read from the device, or from a loop device's backing file).
  // Empty when the root is not a mounted disc or no label can be read.
  QString VolumeLabel(const QString& root) const;

 private:
  SystemRoots roots_;
};

// Decodes the escapes of a mount table field ("\040" for a blank).
QString DecodeMountField(const QByteArray& field);

// Decodes udev's escapes in a by-label link name ("\x20" for a blank).
QString DecodeUdevLabel(const QByteArray& name);

// The volume label in a disc file system image or device: the iso9660
// primary volume descriptor's identifier, else the udf logical volume
// identifier; empty when neither is found. `offset` is where the file
// system starts in the file (a loop device's offset).
QString ReadVolumeDescriptorLabel(const QString& path, qint64 offset = 0);

}  // namespace platform
