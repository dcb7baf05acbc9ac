#include "platform/default_drives.h"

#include <gtest/gtest.h>

#include "platform/mount_table.h"
#include "platform/sys_calls.h"
#include "scratch_dir.h"

namespace tavrix {
namespace {

using testing::ScratchDir;

// A machine with a floppy drive, USB sticks, a USB floppy drive without a
// disk, a CD, network shares and the usual pseudo file systems.
class DefaultDrives : public ::testing::Test {
 protected:
  void SetUp() override {
    sources_.mount_table = dir_ / "mounts";
    sources_.sys_block = dir_.MakeDir("sys/block");
    sources_.home = "/home/ann";
  }
  void Device(const std::string& name, const std::string& removable) {
    dir_.Write("sys/block/" + name + "/removable", removable + "\n");
  }
  void Mounts(const std::string& text) { dir_.Write("mounts", text); }
  DriveTable Table() { return DefaultDriveTable(RealSysCalls(), sources_); }

  ScratchDir dir_;
  DriveSources sources_;
};

TEST_F(DefaultDrives, LettersFollowDevicesThenTheMountsAFileManagerShows) {
  Device("sda", "0");  // the system disk
  Device("sdb", "1");  // a stick, mounted through its partition
  Device("sdd", "1");  // a third removable device
  Device("sdc", "1");  // a USB floppy drive, empty
  Device("sde", "1");  // a removable disk holding /boot/efi: no floppy
  Device("sr0", "1");  // a CD/DVD drive
  Device("fd0", "1");  // the floppy drive
  Device("loop0", "0");
  dir_.MakeDir("sys/block/sdb/sdb1");
  Mounts(
      "sysfs /sys sysfs rw,nosuid 0 0\n"
      "proc /proc proc rw 0 0\n"
      "/dev/sda2 / ext4 rw,relatime 0 0\n"
      "devtmpfs /dev devtmpfs rw 0 0\n"
      "tmpfs /dev/shm tmpfs rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "/dev/sde1 /boot/efi vfat rw 0 0\n"
      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
      "/dev/sda3 /home/ann ext4 rw 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "/dev/sdd1 /media/ann/MY\\040DATA vfat rw 0 0\n"
      "server:/export /mnt/share nfs4 rw 0 0\n"
      "/dev/sr0 /media/ann/CDROM iso9660 ro 0 0\n"
      "/dev/sdb1 /media/ann/STICK vfat rw 0 0\n"
      "//host/pub /mnt/pub cifs rw 0 0\n"
      "/dev/loop0 /snap/core/123 squashfs ro 0 0\n"
      "/dev/sda2 /srv/bind ext4 rw 0 0\n"
      "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
      "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
      "/dev/sdf1 /run/media/ann/CAMERA exfat rw 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n");
  struct Want {
    char letter;
    const char* directory;
    const char* device;
    int type;
    const char* label;
  } want[] = {
      {'a', "", "/dev/fd0", kDriveRemovable, "fd0"},
      {'b', "", "/dev/sdb", kDriveRemovable, "STICK"},
      {'c', "/home/ann", "", kDriveFixed, "home"},
      {'d', "/", "", kDriveFixed, "root"},
      {'e', "/boot/efi", "", kDriveFixed, "efi"},
      {'f', "/tmp", "", kDriveRamdisk, "tmp"},
      {'g', "", "/dev/sdd", kDriveRemovable, "MY DATA"},
      {'h', "/mnt/share", "", kDriveRemote, "share"},
      {'i', "", "/dev/sr0", kDriveCdrom, "CDROM"},
      {'j', "/mnt/pub", "", kDriveRemote, "pub"},
      {'k', "/run/media/ann/CAMERA", "", kDriveFixed, "CAMERA"},
      {'l', "", "/dev/sdc", kDriveRemovable, "sdc"},
  };
  std::vector<DriveEntry> got = Table().Entries();
  ASSERT_EQ(got.size(), std::size(want));
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(want[i].letter);
    EXPECT_EQ(got[i].letter, want[i].letter);
    EXPECT_EQ(got[i].directory, want[i].directory);
    EXPECT_EQ(got[i].device, want[i].device);
    EXPECT_EQ(got[i].type, want[i].type);
    EXPECT_EQ(got[i].label, want[i].label);
    EXPECT_FALSE(got[i].geometry.has_value());
  }
}

TEST_F(DefaultDrives, WithoutRemovableDevicesOrMountTableOnlyHomeRemains) {
  Device("sda", "0");
  Device("nvme0n1", "0");
  DriveTable t = Table();  // no mount table file at all
  ASSERT_EQ(t.Entries().size(), 1u);
  EXPECT_EQ(t.Entries()[0].designation(), "c:");
  EXPECT_EQ(t.Entries()[0].directory, "/home/ann");
  EXPECT_EQ(t.Find('a'), nullptr);
}

TEST_F(DefaultDrives, FloppiesComeInTheOrderDevicesAreCounted) {
  Device("sdb10", "1");  // never a real name, but shows the numeric order
  Device("sdb9", "1");
  Device("fd1", "0");  // floppy devices count whatever their flag says
  Mounts("");
  DriveTable t = Table();
  ASSERT_NE(t.Find('a'), nullptr);
  ASSERT_NE(t.Find('b'), nullptr);
  ASSERT_NE(t.Find('d'), nullptr);
  EXPECT_EQ(t.Find('a')->device, "/dev/fd1");
  EXPECT_EQ(t.Find('b')->device, "/dev/sdb9");
  EXPECT_EQ(t.Find('d')->device, "/dev/sdb10");
}

TEST(MountTable, DevicesMatchTheirPartitionsOnly) {
  struct Case {
    const char* source;
    const char* disk;
    bool match;
  } cases[] = {
      {"/dev/sdb", "/dev/sdb", true},           {"/dev/sdb1", "/dev/sdb", true},
      {"/dev/sdb12", "/dev/sdb", true},         {"/dev/sdba", "/dev/sdb", false},
      {"/dev/sdc1", "/dev/sdb", false},         {"/dev/mmcblk0p1", "/dev/mmcblk0", true},
      {"/dev/mmcblk01", "/dev/mmcblk0", false}, {"/dev/fd1", "/dev/fd0", false},
      {"/dev/fd01", "/dev/fd0", false},         {"tmpfs", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsDeviceOrPartition(c.source, c.disk), c.match) << c.source << " " << c.disk;
  }
}

TEST(MountTable, FieldsAreDecodedAndTheVisibleMountHoldsAPath) {
  EXPECT_EQ(DecodeMountField("MY\\040DATA"), "MY DATA");
  EXPECT_EQ(DecodeMountField("a\\134b\\011c"), "a\\b\tc");
  EXPECT_EQ(DecodeMountField("end\\04"), "end\\04");
  EXPECT_EQ(DecodeMountField("x\\999"), "x\\999");

  std::vector<Mount> mounts = ParseMountTable(
      "/dev/sda2 / ext4 rw 0 0\n"
      "broken-line\n"
      "/dev/sdb1 /media/ann/FLOPPY vfat rw 0 0\n"
      "/dev/sdc1 /media/ann/FLOPPY vfat rw 0 0\n"
      "/dev/sdd1 /media/ann/FLOPPY2 vfat rw 0 0\n");
  ASSERT_EQ(mounts.size(), 4u);
  EXPECT_EQ(MountHolding(mounts, "/media/ann/FLOPPY/Tx~1.2")->device, "/dev/sdc1");
  EXPECT_EQ(MountHolding(mounts, "/media/ann/FLOPPY2")->device, "/dev/sdd1");
  EXPECT_EQ(MountHolding(mounts, "/media/ann/FLOPPY22/x")->device, "/dev/sda2");
  EXPECT_EQ(MountPointOfDevice(mounts, "/dev/sdb"), "/media/ann/FLOPPY");
  EXPECT_EQ(MountPointOfDevice(mounts, "/dev/sde"), "");
}

}  // namespace
}  // namespace tavrix
