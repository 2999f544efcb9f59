#include "platform/OpticalDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/ShellFolders.h"

namespace platform {
namespace {

constexpr qint64 kSectorSize = 2048;

struct MountEntry {
  QString source;
  QString mountPoint;
  QString type;
};

bool IsDiscFileSystem(const QString& type) {
  return type == QLatin1String("iso9660") || type == QLatin1String("udf");
}

// The iso9660 and udf entries of the mount table, in its order.
std::vector<MountEntry> ReadDiscMounts(const QString& mountTable) {
  std::vector<MountEntry> entries;
  QFile file(mountTable);
  if (!file.open(QIODevice::ReadOnly)) return entries;
  while (!file.atEnd()) {
    const QList<QByteArray> fields = file.readLine().simplified().split(' ');
    if (fields.size() < 3) continue;
    MountEntry entry{DecodeMountField(fields[0]), DecodeMountField(fields[1]),
                     QString::fromUtf8(fields[2])};
    if (IsDiscFileSystem(entry.type)) entries.push_back(std::move(entry));
  }
  return entries;
}

// Two device paths name the same device when they are equal or resolve to
// the same file (a mount table may name a device through a link).
bool SameDevice(const QString& a, const QString& b) {
  if (a == b) return true;
  const QString canonicalA = QFileInfo(a).canonicalFilePath();
  return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

// The optical drives' block device names (sr0, sr1, ...) by number.
QStringList OpticalDeviceNames(const QString& sysRoot) {
  static const QRegularExpression pattern(QStringLiteral("^sr(\\d+)$"));
  std::vector<std::pair<int, QString>> numbered;
  const QStringList names =
      QDir(sysRoot + QStringLiteral("/block")).entryList(QDir::AllEntries | QDir::System);
  for (const QString& name : names) {
    const QRegularExpressionMatch match = pattern.match(name);
    if (match.hasMatch()) numbered.emplace_back(match.captured(1).toInt(), name);
  }
  std::sort(numbered.begin(), numbered.end());
  QStringList sorted;
  for (const auto& entry : numbered) sorted << entry.second;
  return sorted;
}

QByteArray ReadAt(QFile& file, qint64 position, qint64 length) {
  if (!file.seek(position)) return QByteArray();
  return file.read(length);
}

quint32 LittleEndian32(const QByteArray& bytes, int at) {
  return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
         quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

quint16 LittleEndian16(const QByteArray& bytes, int at) {
  return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

QString TrimTrailing(QString text) {
  while (!text.isEmpty() && (text.back() == u' ' || text.back() == QChar(0))) text.chop(1);
  return text;
}

// The primary volume descriptor sits at sector 16; its volume identifier is
// 32 characters at offset 40, padded with blanks.
QString Iso9660Label(QFile& file, qint64 offset) {
  const QByteArray sector = ReadAt(file, offset + 16 * kSectorSize, kSectorSize);
  if (sector.size() < 72 || sector[0] != 1 || sector.mid(1, 5) != "CD001") return QString();
  return TrimTrailing(QString::fromUtf8(sector.mid(40, 32)));
}

// A udf "dstring": a compression id (8: one byte a character, 16: UTF-16
// big-endian), the characters, and the used length in the last byte.
QString DecodeDString(const QByteArray& field) {
  const int used = std::min<int>(quint8(field.back()), field.size() - 1);
  if (used < 1) return QString();
  const QByteArray chars = field.mid(1, used - 1);
  if (field[0] == 8) return TrimTrailing(QString::fromLatin1(chars));
  if (field[0] == 16) {
    QString text;
    for (int i = 0; i + 1 < chars.size(); i += 2) {
      text += QChar(char16_t(quint8(chars[i]) << 8 | quint8(chars[i + 1])));
    }
    return TrimTrailing(text);
  }
  return QString();
}

// The anchor at sector 256 points at the main volume descriptor sequence;
// its logical volume descriptor (tag 6) holds the identifier at offset 84.
QString UdfLabel(QFile& file, qint64 offset) {
  constexpr quint16 kAnchorTag = 2, kLogicalVolumeTag = 6, kTerminatorTag = 8;
  constexpr quint32 kMostDescriptors = 64;
  const QByteArray anchor = ReadAt(file, offset + 256 * kSectorSize, kSectorSize);
  if (anchor.size() < 24 || LittleEndian16(anchor, 0) != kAnchorTag) return QString();
  const quint32 length = LittleEndian32(anchor, 16);
  const quint32 location = LittleEndian32(anchor, 20);
  const quint32 count = std::min<quint32>(length / kSectorSize, kMostDescriptors);
  for (quint32 i = 0; i < count; ++i) {
    const QByteArray sector =
        ReadAt(file, offset + (qint64(location) + i) * kSectorSize, kSectorSize);
    if (sector.size() < 212) return QString();
    const quint16 tag = LittleEndian16(sector, 0);
    if (tag == kLogicalVolumeTag) return DecodeDString(sector.mid(84, 128));
    if (tag == kTerminatorTag) break;
  }
  return QString();
}

QString ReadSysValue(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll()).trimmed();
}

}  // namespace

OpticalDrives::OpticalDrives(SystemRoots roots) : roots_(std::move(roots)) {}

std::vector<OpticalDrive> OpticalDrives::List() const {
  std::vector<MountEntry> mounts = ReadDiscMounts(roots_.mountTable);
  std::vector<bool> claimed(mounts.size(), false);
  // Marks every mount of `device`, so that the device is listed once.
  const auto claim = [&](const QString& device) {
    for (std::size_t i = 0; i < mounts.size(); ++i) {
      if (!claimed[i] && SameDevice(mounts[i].source, device)) claimed[i] = true;
    }
  };

  std::vector<OpticalDrive> drives;
  for (const QString& name : OpticalDeviceNames(roots_.sys)) {
    const QString device = roots_.dev + u'/' + name;
    const auto mount = std::find_if(mounts.begin(), mounts.end(), [&](const MountEntry& entry) {
      return SameDevice(entry.source, device);
    });
    if (mount != mounts.end()) {
      drives.push_back({WithTrailingDelimiter(mount->mountPoint), device, true});
    } else {
      drives.push_back({device, device, false});
    }
    claim(device);
  }
  for (std::size_t i = 0; i < mounts.size(); ++i) {
    if (claimed[i]) continue;
    drives.push_back({WithTrailingDelimiter(mounts[i].mountPoint), mounts[i].source, true});
    claim(mounts[i].source);
  }
  return drives;
}

QString OpticalDrives::VolumeLabel(const QString& root) const {
  const std::vector<MountEntry> mounts = ReadDiscMounts(roots_.mountTable);
  const auto mount = std::find_if(mounts.begin(), mounts.end(), [&](const MountEntry& entry) {
    return WithTrailingDelimiter(entry.mountPoint) == root;
  });
  if (mount == mounts.end()) return QString();

  const QDir byLabel(roots_.dev + QStringLiteral("/disk/by-label"));
  for (const QString& name :
       byLabel.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
    if (SameDevice(byLabel.filePath(name), mount->source)) {
      return DecodeUdevLabel(QFile::encodeName(name));
    }
  }

  // A loop device's medium is its backing file, which the user can usually
  // read even where the device itself is closed to them.
  QString medium = mount->source;
  qint64 offset = 0;
  const QString loop = roots_.sys + QStringLiteral("/block/") +
                       QFileInfo(mount->source).fileName() + QStringLiteral("/loop/");
  const QString backing = ReadSysValue(loop + QStringLiteral("backing_file"));
  if (!backing.isEmpty()) {
    medium = backing;
    offset = ReadSysValue(loop + QStringLiteral("offset")).toLongLong();
  }
  return ReadVolumeDescriptorLabel(medium, offset);
}

QString DecodeMountField(const QByteArray& field) {
  QByteArray bytes;
  for (int i = 0; i < field.size(); ++i) {
    const QByteArray digits = field.mid(i + 1, 3);
    const bool octal = digits.size() == 3 && std::all_of(digits.begin(), digits.end(), [](char c) {
                         return c >= '0' && c <= '7';
                       });
    if (field[i] == '\\' && octal) {
      bytes += char(digits.toInt(nullptr, 8));
      i += 3;
      continue;
    }
    bytes += field[i];
  }
  return QFile::decodeName(bytes);
}

QString DecodeUdevLabel(const QByteArray& name) {
  QByteArray bytes;
  for (int i = 0; i < name.size(); ++i) {
    const QByteArray digits = name.mid(i + 2, 2);
    const bool hex = digits.size() == 2 && std::all_of(digits.begin(), digits.end(), [](char c) {
                       return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                     });
    if (name[i] == '\\' && name.mid(i + 1, 1) == "x" && hex) {
      bytes += char(digits.toInt(nullptr, 16));
      i += 3;
      continue;
    }
    bytes += name[i];
  }
  return QString::fromUtf8(bytes);
}

QString ReadVolumeDescriptorLabel(const QString& path, qint64 offset) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  const QString iso = Iso9660Label(file, offset);
  return iso.isEmpty() ? UdfLabel(file, offset) : iso;
}

}  // namespace platform
