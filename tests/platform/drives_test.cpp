// Drive letters: designations, space figures, drive types, devices followed
// to their mount points, and the --drive option.
#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "expect_error.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "platform/sys_calls.h"
#include "scratch_dir.h"

namespace tavrix {
namespace {

using testing::Entry;
using testing::ScratchDir;

// a: a directory playing a 1.44 MB floppy, c: a fixed directory, an empty
// mount table.
class Drives : public ::testing::Test {
 protected:
  explicit Drives(SysCalls& sys = RealSysCalls()) {
    a_ = dir_.MakeDir("a");
    c_ = dir_.MakeDir("c");
    dir_.Write("mounts", "");
    DriveTable t;
    t.Set(Entry('a', a_, kDriveRemovable, "1.44m"));
    t.Set(Entry('c', c_, kDriveFixed));
    platform_ = std::make_unique<Platform>(sys, t, dir_ / "mounts");
  }
  Platform& platform() { return *platform_; }

  ScratchDir dir_;
  std::string a_;
  std::string c_;
  std::unique_ptr<Platform> platform_;
};

TEST_F(Drives, DesignationsResolveToTheMappedDirectory) {
  struct Case {
    std::string path;
    std::string host;
  } cases[] = {
      {"a:", a_},
      {"a:\\", a_},
      {"a:\\Tx~1.2", a_ + "/Tx~1.2"},
      {"a:Tx~SN235.714", a_ + "/Tx~SN235.714"},
      {"A:\\Tx~1.2", a_ + "/Tx~1.2"},
      {"c:\\data\\big.zip", c_ + "/data/big.zip"},
      {"c:/data/big.zip", c_ + "/data/big.zip"},
      {"/home/ann/big.zip", "/home/ann/big.zip"},
  };
  for (const auto& c : cases) EXPECT_EQ(platform().HostPath(c.path), c.host) << c.path;
}

TEST_F(Drives, EveryGeometryCountsClustersOfTheFilesInItsDirectory) {
  struct Case {
    const char* name;
    int64_t sectors_per_cluster;
    int64_t total_clusters;
  } cases[] = {{"360k", 2, 354}, {"720k", 2, 713}, {"1.2m", 1, 2371}, {"1.44m", 1, 2847}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string dir = dir_.MakeDir(c.name);
    platform().drives().Set(Entry('b', dir, kDriveRemovable, c.name));
    SpaceFigures f = platform().SpaceQuery("b:");
    EXPECT_EQ(f.sectors_per_cluster, c.sectors_per_cluster);
    EXPECT_EQ(f.bytes_per_sector, 512);
    EXPECT_EQ(f.total_clusters, c.total_clusters);
    EXPECT_EQ(f.free_clusters, c.total_clusters);
    // One byte takes a whole cluster, an empty file none, a folder one.
    int64_t cluster = c.sectors_per_cluster * 512;
    dir_.Write(std::string(c.name) + "/one", "x");
    dir_.Write(std::string(c.name) + "/empty", "");
    dir_.Write(std::string(c.name) + "/two", std::string(static_cast<size_t>(cluster + 1), 'y'));
    dir_.MakeDir(std::string(c.name) + "/folder");
    EXPECT_EQ(platform().SpaceQuery("b:\\").free_clusters, c.total_clusters - 4);
    EXPECT_EQ(platform().DriveType("b:"), kDriveRemovable);
  }
}

TEST_F(Drives, OneFortyFourFloppyWithOneHundredClustersFree) {
  dir_.Write("a/Tx~1.2", std::string(2746 * 512 + 1, 'p'));  // 2,747 clusters
  SpaceFigures f = platform().SpaceQuery("a:\\");
  EXPECT_EQ(f.free_clusters, 100);
  EXPECT_EQ(f.sectors_per_cluster * f.bytes_per_sector * f.free_clusters, 51200);
  EXPECT_EQ(f.total_clusters * f.sectors_per_cluster * f.bytes_per_sector, 1457664);
}

TEST_F(Drives, RealDirectoryGivesItsStatvfsFigures) {
  struct statvfs vfs;
  ASSERT_EQ(::statvfs(c_.c_str(), &vfs), 0);
  SpaceFigures f = platform().SpaceQuery("c:");
  EXPECT_EQ(f.sectors_per_cluster, 1);
  EXPECT_EQ(f.bytes_per_sector, static_cast<int64_t>(vfs.f_frsize));
  EXPECT_EQ(f.total_clusters, static_cast<int64_t>(vfs.f_blocks));
  // Other programs write to the same disk meanwhile.
  EXPECT_NEAR(static_cast<double>(f.free_clusters), static_cast<double>(vfs.f_bavail),
              0.01 * static_cast<double>(vfs.f_blocks));
  EXPECT_EQ(platform().DriveType("c:"), kDriveFixed);
}

// A file system whose block and fragment sizes differ and whose root-only
// reserve shows: the fragment is the cluster, the free blocks are those an
// ordinary user may take.
class FixedStatVfs : public SysCalls {
 public:
  int StatVfs(const char*, struct statvfs* st) override {
    *st = {};
    st->f_bsize = 65536;
    st->f_frsize = 4096;
    st->f_blocks = 1000000;
    st->f_bfree = 300000;
    st->f_bavail = 200000;
    return 0;
  }
};

class DrivesOnFixedStatVfs : public Drives {
 protected:
  DrivesOnFixedStatVfs() : Drives(sys_) {}
  static FixedStatVfs sys_;
};
FixedStatVfs DrivesOnFixedStatVfs::sys_;

TEST_F(DrivesOnFixedStatVfs, FragmentSizeIsTheClusterAndAvailableBlocksAreFree) {
  SpaceFigures f = platform().SpaceQuery("c:\\");
  EXPECT_EQ(f.sectors_per_cluster, 1);
  EXPECT_EQ(f.bytes_per_sector, 4096);
  EXPECT_EQ(f.free_clusters, 200000);
  EXPECT_EQ(f.total_clusters, 1000000);
  // Past 2^31 bytes and still right.
  EXPECT_EQ(f.total_clusters * f.bytes_per_sector, 4096000000LL);
}

TEST_F(Drives, DrivesWithoutTheirDirectoryAnswerAsAbsentDrivesDo) {
  std::filesystem::remove(a_);  // the floppy is out
  platform().drives().Set(Entry('d', dir_ / "gone", kDriveFixed));
  platform().drives().Set(Entry('e', dir_ / "gone", kDriveCdrom));
  struct Case {
    const char* drive;
    int type;
  } cases[] = {
      {"a:", kDriveRemovable},  // a floppy drive stays one without its floppy
      {"d:", kDriveNoRootDir},
      {"e:", kDriveNoRootDir},
      {"q:", kDriveNoRootDir},  // no such letter
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    std::string file = std::string(c.drive) + "\\Tx~1.2";
    EXPECT_EQ(platform().DriveType(c.drive), c.type);
    SpaceFigures f = platform().SpaceQuery(c.drive);
    EXPECT_EQ(f.sectors_per_cluster + f.bytes_per_sector + f.free_clusters + f.total_clusters, 0);
    EXPECT_ERROR(platform().Open(file, OpenMode::kRead), kDeviceUnavailable);
    EXPECT_ERROR(platform().Open(file, OpenMode::kWriteText), kDeviceUnavailable);
    EXPECT_ERROR(platform().ListFiles(c.drive), kDeviceUnavailable);
    EXPECT_ERROR(platform().Exists(file), kDeviceUnavailable);
    EXPECT_ERROR(platform().DriveDirectory(c.drive[0]), kDeviceUnavailable);
  }
}

TEST_F(Drives, DeviceLetterFollowsTheDeviceToWhereverItIsMounted) {
  DriveEntry b;
  b.letter = 'b';
  b.device = "/dev/sdb";
  b.type = kDriveRemovable;
  platform().drives().Set(b);
  std::string first = dir_.MakeDir("media/ann/STICK ONE");
  std::string second = dir_.MakeDir("media/ann/1A2B-3C4D");

  // Not mounted: no medium as far as the program can tell.
  EXPECT_EQ(platform().DriveType("b:"), kDriveRemovable);
  EXPECT_EQ(platform().SpaceQuery("b:").total_clusters, 0);
  EXPECT_ERROR(platform().Open("b:\\Tx~1.2", OpenMode::kWriteText), kDeviceUnavailable);

  // Mounted through its partition, a blank escaped in the table.
  dir_.Write("mounts", "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 " + dir_.path() +
                           "/media/ann/STICK\\040ONE vfat rw 0 0\n");
  platform().Open("b:\\Tx~1.2", OpenMode::kWriteText).Close();
  EXPECT_TRUE(std::filesystem::exists(first + "/Tx~1.2"));
  EXPECT_GT(platform().SpaceQuery("b:").total_clusters, 0);
  EXPECT_EQ(platform().DriveOf(first + "/Tx~1.2"), "b:");

  // Another floppy, mounted whole at a directory named after its serial.
  dir_.Write("mounts", "/dev/sdb " + second + " vfat rw 0 0\n");
  EXPECT_EQ(platform().HostPath("b:\\Tx~2.3"), second + "/Tx~2.3");
  EXPECT_FALSE(platform().Exists("b:\\Tx~1.2"));
}

TEST_F(Drives, DriveOfAHostPathIsTheMappedDriveHoldingItElseItsMountPoint) {
  platform().drives().Set(Entry('d', dir_.MakeDir("c/sub"), kDriveFixed));
  std::string ram = dir_.MakeDir("ram");
  dir_.Write("mounts", "/dev/sda1 / ext4 rw 0 0\ntmpfs " + ram + " tmpfs rw 0 0\n");
  struct Case {
    std::string path;
    std::string drive;
    int type;
  } cases[] = {
      {c_ + "/big.zip", "c:", kDriveFixed},        {c_, "c:", kDriveFixed},
      {c_ + "/sub/big.zip", "d:", kDriveFixed},  // the longest match
      {c_ + "/subway/big.zip", "c:", kDriveFixed}, {a_ + "/Tx~1.2", "a:", kDriveRemovable},
      {"A:\\Tx~1.2", "a:", kDriveRemovable},       {ram + "/big.zip", ram, kDriveRamdisk},
      {"/nowhere/big.zip", "/", kDriveFixed},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform().DriveOf(c.path), c.drive) << c.path;
    EXPECT_EQ(platform().DriveType(c.path), c.type) << c.path;
  }
  // A relative path from the command line lies in the working directory.
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(::chdir((c_ + "/sub").c_str()), 0);
  std::string relative = platform().DriveOf("big.zip");
  ASSERT_EQ(::chdir(cwd), 0);
  EXPECT_EQ(relative, "d:");
}

TEST(DriveOption, AcceptsEveryForm) {
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  struct Case {
    const char* value;
    char letter;
    std::string directory;
    int type;
    int64_t total_clusters;  // 0: no geometry
    const char* label;
  } cases[] = {
      {"a=/floppies/one", 'a', "/floppies/one", kDriveFixed, 0, "one"},
      {"A=/floppies/one/,geometry=1.44m", 'a', "/floppies/one", kDriveRemovable, 2847, "one"},
      {"b=/f,geometry=1.2m", 'b', "/f", kDriveRemovable, 2371, "f"},
      {"b=/f,geometry=360k,type=fixed", 'b', "/f", kDriveFixed, 354, "f"},
      {"d=/f,type=remote,geometry=720k", 'd', "/f", kDriveRemote, 713, "f"},
      {"e=/f,type=removable", 'e', "/f", kDriveRemovable, 0, "f"},
      {"f=/f,type=cdrom", 'f', "/f", kDriveCdrom, 0, "f"},
      {"g=/f,type=ramdisk", 'g', "/f", kDriveRamdisk, 0, "f"},
      {"h=/f,type=fixed", 'h', "/f", kDriveFixed, 0, "f"},
      {"i=/dir,with,commas", 'i', "/dir,with,commas", kDriveFixed, 0, "dir,with,commas"},
      {"j=floppy", 'j', std::string(cwd) + "/floppy", kDriveFixed, 0, "floppy"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    std::string error;
    std::optional<DriveEntry> e = ParseDriveOption(c.value, &error);
    ASSERT_TRUE(e.has_value()) << error;
    EXPECT_EQ(e->letter, c.letter);
    EXPECT_EQ(e->directory, c.directory);
    EXPECT_EQ(e->type, c.type);
    EXPECT_EQ(e->geometry ? e->geometry->total_clusters : 0, c.total_clusters);
    EXPECT_EQ(e->label, c.label);
    EXPECT_TRUE(e->device.empty());
  }
}

TEST(DriveOption, BadUsageSaysWhatIsWrongAndHowToWriteIt) {
  struct Case {
    const char* value;
    const char* why;
  } cases[] = {
      {"", "expected a drive letter, '=' and a directory"},
      {"a", "expected a drive letter, '=' and a directory"},
      {"1=/f", "expected a drive letter, '=' and a directory"},
      {"a:/f", "expected a drive letter, '=' and a directory"},
      {"a=", "the directory is missing"},
      {"a=,type=fixed", "the directory is missing"},
      {"a=/f,type=floppy", "unknown type 'floppy'"},
      {"a=/f,geometry=2.88m", "unknown geometry '2.88m'"},
      {"a=/f,type=fixed,colour=red", "unknown setting 'colour'"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseDriveOption(c.value, &error).has_value()) << c.value;
    EXPECT_EQ(error, std::string("--drive ") + c.value + ": " + c.why +
                         "\nusage: --drive L=DIR[,type=removable|fixed|cdrom|remote|ramdisk]"
                         "[,geometry=360k|720k|1.2m|1.44m]");
  }
}

}  // namespace
}  // namespace tavrix
