#include "platform/OpticalDrives.h"

#include <gtest/gtest.h>

#include "tests/support/FakeDiscSystem.h"

namespace {

using platform::OpticalDrive;
using platform::OpticalDrives;
using testing_support::FakeDiscSystem;

constexpr int kSector = 2048;

// An iso9660 image holding only a primary volume descriptor.
QByteArray IsoImage(const QByteArray& label) {
  QByteArray image(17 * kSector, '\0');
  char* pvd = image.data() + 16 * kSector;
  pvd[0] = 1;
  memcpy(pvd + 1, "CD001", 5);
  pvd[6] = 1;
  memcpy(pvd + 40, label.leftJustified(32, ' ').constData(), 32);
  return image;
}

void PutTag(QByteArray& image, int sector, quint16 tag) {
  image[sector * kSector] = char(tag & 0xff);
  image[sector * kSector + 1] = char(tag >> 8);
}

// A udf image: the anchor at sector 256 points at a descriptor sequence at
// sector 257 with a primary volume descriptor, the logical volume
// descriptor carrying `label` as UTF-16 and a terminator.
QByteArray UdfImage(const QString& label) {
  QByteArray image(262 * kSector, '\0');
  PutTag(image, 256, 2);
  const quint32 length = 4 * kSector, location = 257;
  for (int i = 0; i < 4; ++i) {
    image[256 * kSector + 16 + i] = char(length >> (8 * i));
    image[256 * kSector + 20 + i] = char(location >> (8 * i));
  }
  PutTag(image, 257, 1);
  PutTag(image, 258, 6);
  char* identifier = image.data() + 258 * kSector + 84;
  identifier[0] = 16;
  for (int i = 0; i < label.size(); ++i) {
    identifier[1 + 2 * i] = char(label[i].unicode() >> 8);
    identifier[2 + 2 * i] = char(label[i].unicode() & 0xff);
  }
  identifier[127] = char(1 + 2 * label.size());
  PutTag(image, 259, 8);
  return image;
}

TEST(OpticalDrives, ListsOpticalDrivesByNumberThenOtherDiscMountsOnce) {
  FakeDiscSystem system;
  for (const QString name : {"sr10", "sr1", "sda", "sr0", "sr2", "loop0", "loop1"}) {
    system.AddBlockDevice(name);
  }
  system.AddMountLine("/dev/vda1 / ext4 rw 0 0");
  system.Mount(system.Device("loop1"), "/mnt/first image", "udf");
  system.Mount(system.Device("sr1"), "/media/me/MY MOVIE", "iso9660");
  system.Mount(system.Device("loop1"), "/mnt/again", "udf");
  system.Mount(system.Device("sr2"), "/", "iso9660");
  system.Mount(system.Device("loop0"), "/mnt/data", "ext4");
  system.AddMountLine("tmpfs /tmp tmpfs rw 0 0");

  const std::vector<OpticalDrive> drives = OpticalDrives(system.Roots()).List();
  std::vector<QString> roots;
  for (const OpticalDrive& drive : drives) roots.push_back(drive.root);
  EXPECT_EQ(roots, (std::vector<QString>{system.Device("sr0"), "/media/me/MY MOVIE/", "/",
                                         system.Device("sr10"), "/mnt/first image/"}));
  ASSERT_EQ(drives.size(), 5u);
  EXPECT_FALSE(drives[0].mounted);
  EXPECT_TRUE(drives[1].mounted);
  EXPECT_EQ(drives[4].device, system.Device("loop1"));
}

TEST(OpticalDrives, NoDriveAndNoDiscMountGiveAnEmptyList) {
  FakeDiscSystem system;
  system.AddBlockDevice("sda");
  system.AddMountLine("/dev/sda1 / ext4 rw 0 0");
  EXPECT_TRUE(OpticalDrives(system.Roots()).List().empty());

  platform::SystemRoots missing{"/nonexistent/mounts", "/nonexistent/sys", "/nonexistent/dev"};
  EXPECT_TRUE(OpticalDrives(missing).List().empty());
}

TEST(OpticalDrives, LabelComesFromTheByLabelLinkOfTheMountedDevice) {
  FakeDiscSystem system;
  system.AddBlockDevice("sr0");
  system.AddBlockDevice("sr1");
  system.Mount(system.Device("sr0"), "/media/a", "udf");
  system.AddLabelLink("OTHER", "sr1");
  system.AddLabelLink("MY\\x20MOVIE\\x2f\\xe6\\x98\\xa0", "sr0");
  const OpticalDrives drives(system.Roots());

  EXPECT_EQ(drives.VolumeLabel("/media/a/"), QString("MY MOVIE/映"));
  EXPECT_EQ(drives.VolumeLabel(system.Device("sr1")), "") << "a drive without mounted medium";
  EXPECT_EQ(drives.VolumeLabel("/media/elsewhere/"), "");
}

TEST(OpticalDrives, LabelComesFromTheVolumeDescriptorOfALoopBackingFile) {
  struct Case {
    const char* name;
    QByteArray image;
    qint64 offset;
    QString expected;
  };
  const Case cases[] = {
      {"iso9660", IsoImage("HOLIDAY_2023"), 0, "HOLIDAY_2023"},
      {"iso9660 at an offset", QByteArray(4096, 'x') + IsoImage("OFFSET"), 4096, "OFFSET"},
      {"udf", UdfImage(QStringLiteral("家族 旅行")), 0, QStringLiteral("家族 旅行")},
      {"neither", QByteArray(300 * kSector, '\x55'), 0, ""},
      {"too short", QByteArray(100, '\0'), 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDiscSystem system;
    system.AddBlockDevice("loop3");
    const QString image = system.Folder().Touch("disc.iso", c.image);
    system.SetLoopBacking("loop3", image, c.offset);
    system.Mount(system.Device("loop3"), "/mnt/disc", "iso9660");
    EXPECT_EQ(OpticalDrives(system.Roots()).VolumeLabel("/mnt/disc/"), c.expected);
  }
}

TEST(OpticalDrives, MountFieldsAndUdevNamesAreDecoded) {
  EXPECT_EQ(platform::DecodeMountField("/media/a\\040b\\011c\\134d"), "/media/a b\tc\\d");
  EXPECT_EQ(platform::DecodeMountField("/odd\\09x\\"), "/odd\\09x\\");
  EXPECT_EQ(platform::DecodeUdevLabel("A\\x20B\\xzz\\x2"), "A B\\xzz\\x2");
}

}  // namespace
