// File operations: names matched ignoring case on floppies, rename without
// replacing, listing, missing folders, the emulated floppy's capacity, and
// failures of the system calls at any step.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "expect_error.h"
#include "platform/platform.h"
#include "scratch_dir.h"
#include "support/bench.h"
#include "support/fault_injector.h"

namespace tavrix {
namespace {

namespace fs = std::filesystem;
using testing::Bench;
using testing::FaultInjector;
using testing::Entry;
using testing::ScratchDir;

std::string ReadAll(File& f) {
  std::string out(static_cast<size_t>(f.Length()), '\0');
  out.resize(static_cast<size_t>(f.ReadAt(out.data(), static_cast<int64_t>(out.size()), 0)));
  return out;
}

void WriteWhole(const Platform& p, const std::string& path, const std::string& bytes) {
  File f = p.Open(path, OpenMode::kWriteText);
  f.WriteAt(bytes.data(), static_cast<int64_t>(bytes.size()), 0);
  f.Close();
}

// a: a 1.44 MB floppy, c: a fixed disk, every system call through a fault
// injector that fails nothing until told to.
class Files : public ::testing::Test {
 protected:
  explicit Files(SysCalls* sys = nullptr) {
    a_ = dir_.MakeDir("a");
    c_ = dir_.MakeDir("c");
    dir_.Write("mounts", "");
    DriveTable t;
    t.Set(Entry('a', a_, kDriveRemovable, "1.44m"));
    t.Set(Entry('c', c_, kDriveFixed));
    platform_ = std::make_unique<Platform>(sys != nullptr ? *sys : faults_, t, dir_ / "mounts");
  }
  Platform& platform() { return *platform_; }

  ScratchDir dir_;
  FaultInjector faults_;
  std::string a_;
  std::string c_;
  std::unique_ptr<Platform> platform_;
};

TEST_F(Files, FloppyNamesAreMatchedIgnoringCase) {
  platform().drives().Set(Entry('r', dir_.MakeDir("r"), kDriveRemovable));
  platform().drives().Set(Entry('g', dir_.MakeDir("g"), kDriveFixed, "720k"));
  struct Case {
    const char* drive;
    bool ignores_case;
  } cases[] = {{"a:", true}, {"r:", true}, {"g:", true}, {"c:", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    std::string d = c.drive;
    std::string host = platform().DriveDirectory(d[0]);
    Bench::WriteFile(host + "/TX~CTL.DAT", "record");
    Bench::WriteFile(host + "/TX~1.2", "old");

    if (c.ignores_case) {
      File f = platform().Open(d + "\\Tx~ctl.dat", OpenMode::kRead);
      EXPECT_EQ(ReadAll(f), "record");
      EXPECT_TRUE(platform().Exists(d + "\\tx~CTL.dat"));
      EXPECT_EQ(platform().FileLen(d + "\\tx~ctl.dat"), 6);
    } else {
      EXPECT_ERROR(platform().Open(d + "\\Tx~ctl.dat", OpenMode::kRead), kFileNotFound);
      EXPECT_FALSE(platform().Exists(d + "\\tx~CTL.dat"));
    }

    WriteWhole(platform(), d + "\\Tx~1.2", "new");
    if (c.ignores_case) {
      EXPECT_EQ(platform().ListFiles(d), (std::vector<std::string>{"TX~1.2", "TX~CTL.DAT"}));
      EXPECT_EQ(Bench::ReadFile(host + "/TX~1.2"), "new");
      platform().Kill(d + "\\tx~1.2");
      EXPECT_EQ(platform().ListFiles(d), (std::vector<std::string>{"TX~CTL.DAT"}));
    } else {
      EXPECT_EQ(platform().ListFiles(d),
                (std::vector<std::string>{"TX~1.2", "Tx~1.2", "TX~CTL.DAT"}));
      EXPECT_EQ(Bench::ReadFile(host + "/TX~1.2"), "old");
    }
  }
}

TEST_F(Files, RenameNeverReplacesAnExistingFile) {
  Bench::WriteFile(c_ + "/Tx~Start.OK", "assembled");
  Bench::WriteFile(c_ + "/big.zip", "precious");
  Bench::WriteFile(a_ + "/TX~CTL.DAT", "record");
  Bench::WriteFile(a_ + "/Tx~1.2", "piece");

  EXPECT_ERROR(platform().Rename("c:\\Tx~Start.OK", "c:\\big.zip"), kFileAlreadyExists);
  EXPECT_EQ(Bench::ReadFile(c_ + "/big.zip"), "precious");
  EXPECT_EQ(Bench::ReadFile(c_ + "/Tx~Start.OK"), "assembled");
  // On a floppy another case is the same name.
  EXPECT_ERROR(platform().Rename("a:\\Tx~1.2", "a:\\tx~ctl.dat"), kFileAlreadyExists);
  EXPECT_EQ(Bench::ReadFile(a_ + "/TX~CTL.DAT"), "record");

  EXPECT_ERROR(platform().Rename("a:\\Tx~1.2", "c:\\Tx~1.2"), kRenameAcrossDrives);
  EXPECT_ERROR(platform().Rename("c:\\missing", "c:\\other"), kFileNotFound);
  EXPECT_ERROR(platform().Rename("c:\\nofolder\\x", "c:\\other"), kPathNotFound);
  EXPECT_ERROR(platform().Rename("c:\\Tx~Start.OK", "c:\\nofolder\\big.zip"), kPathNotFound);

  platform().Rename("c:\\Tx~Start.OK", "c:\\report.zip");
  EXPECT_EQ(Bench::ReadFile(c_ + "/report.zip"), "assembled");
  EXPECT_FALSE(fs::exists(c_ + "/Tx~Start.OK"));
  // A host path on the same drive is the same drive.
  platform().Rename(c_ + "/report.zip", "c:\\final.zip");
  EXPECT_TRUE(fs::exists(c_ + "/final.zip"));
}

TEST_F(Files, ListingHoldsPlainVisibleFilesInNameOrderIgnoringCase) {
  for (const char* name : {"b", "A", ".hidden", "a2", "C", "9.txt", "10.txt", "Tx~SN1"}) {
    Bench::WriteFile(c_ + "/" + name, "x");
  }
  fs::create_directory(c_ + "/folder");
  fs::create_directory_symlink(c_ + "/folder", c_ + "/dirlink");
  fs::create_symlink(c_ + "/b", c_ + "/filelink");
  EXPECT_EQ(
      platform().ListFiles("c:\\"),
      (std::vector<std::string>{"10.txt", "9.txt", "A", "a2", "b", "C", "filelink", "Tx~SN1"}));
  EXPECT_EQ(platform().ListFiles(c_), platform().ListFiles("c:"));
  EXPECT_ERROR(platform().ListFiles("c:\\nofolder"), kPathNotFound);
  EXPECT_ERROR(platform().ListFiles("c:\\b"), kPathNotFound);
}

TEST_F(Files, MissingFileAndMissingFolderOnTheWayDiffer) {
  fs::create_directory(c_ + "/folder");
  struct Case {
    const char* what;
    std::function<void()> op;
    int number;
  } cases[] = {
      {"open missing", [&] { platform().Open("c:\\nofile", OpenMode::kRead); }, 53},
      {"open in missing folder", [&] { platform().Open("c:\\no\\f", OpenMode::kRead); }, 76},
      {"create in missing folder", [&] { platform().Open("c:\\no\\f", OpenMode::kWriteText); }, 76},
      {"raw in missing folder", [&] { platform().Open("c:\\no\\f", OpenMode::kReadWrite); }, 76},
      {"length of missing", [&] { platform().FileLen("c:\\nofile"); }, 53},
      {"length in missing folder", [&] { platform().FileLen("c:\\no\\f"); }, 76},
      {"date of missing", [&] { platform().FileDateTime("c:\\nofile"); }, 53},
      {"delete missing", [&] { platform().Kill("c:\\nofile"); }, 53},
      {"delete in missing folder", [&] { platform().Kill("c:\\no\\f"); }, 76},
      {"read a folder", [&] { platform().Open("c:\\folder", OpenMode::kRead); }, 75},
      {"write a folder", [&] { platform().Open("c:\\folder", OpenMode::kWriteText); }, 75},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_ERROR(c.op(), c.number);
  }
  EXPECT_FALSE(platform().Exists("c:\\no\\f"));
  EXPECT_TRUE(platform().Exists("c:\\folder"));
  EXPECT_TRUE(platform().IsDirectory("c:\\folder"));
}

TEST_F(Files, EmulatedFloppyRefusesToGrowPastItsCapacity) {
  Bench::WriteFile(a_ + "/other", std::string(2000 * 512, 'o'));  // 847 clusters left
  File f = platform().Open("a:\\Tx~1.2", OpenMode::kReadWrite);
  std::string piece(847 * 512 + 5000, 'p');
  EXPECT_ERROR(f.WriteAt(piece.data(), static_cast<int64_t>(piece.size()), 0), kDiskFull);
  EXPECT_EQ(f.Length(), 847 * 512);  // what fitted stays written
  EXPECT_EQ(platform().SpaceQuery("a:").free_clusters, 0);
  EXPECT_ERROR(f.WriteAt("x", 1, f.Length()), kDiskFull);
  EXPECT_EQ(f.Length(), 847 * 512);
  f.WriteAt("rewritten", 9, 0);  // within its clusters a full floppy still takes writes

  // A file of 100 bytes holds a whole cluster: it may fill that cluster.
  f.Truncate(100);
  EXPECT_EQ(platform().SpaceQuery("a:").free_clusters, 846);
  f.WriteAt(piece.data(), 846 * 512 + 412, 100);
  EXPECT_EQ(f.Length(), 847 * 512);
  EXPECT_ERROR(f.WriteAt("x", 1, f.Length()), kDiskFull);
  f.Close();
  EXPECT_EQ(Bench::ReadFile(a_ + "/Tx~1.2").substr(0, 9), "rewritten");
}

TEST_F(Files, EmulatedFloppyPulledMidPieceRefusesFurtherWrites) {
  File f = platform().Open("a:\\Tx~1.2", OpenMode::kReadWrite);
  f.WriteAt("first", 5, 0);
  fs::rename(a_, dir_ / "shelf");
  EXPECT_ERROR(f.WriteAt("second", 6, 5), kDeviceUnavailable);
  fs::rename(dir_ / "shelf", a_);
  f.WriteAt("second", 6, 5);
  f.Close();
  EXPECT_EQ(Bench::ReadFile(a_ + "/Tx~1.2"), "firstsecond");
}

TEST_F(Files, SystemCallFailuresRaiseTheirNumbersAndKeepWhatWasWritten) {
  struct Case {
    const char* op;
    int err;
    int number;
    // Runs the step that meets the failure; "first" is in c:\piece already.
    std::function<void(Platform&, File&)> step;
  } cases[] = {
      {"PWrite", EROFS, kPermissionDenied, [](Platform&, File& f) { f.WriteAt("second", 6, 5); }},
      {"PWrite", ENXIO, kDeviceUnavailable, [](Platform&, File& f) { f.WriteAt("second", 6, 5); }},
      {"PWrite", EIO, kDeviceIoError, [](Platform&, File& f) { f.WriteAt("second", 6, 5); }},
      {"PWrite", ENOSPC, kDiskFull, [](Platform&, File& f) { f.WriteAt("second", 6, 5); }},
      {"PRead", EIO, kDeviceIoError,
       [](Platform&, File& f) {
         char buf[5];
         f.ReadAt(buf, 5, 0);
       }},
      {"FStat", EIO, kDeviceIoError, [](Platform&, File& f) { f.Length(); }},
      {"FTruncate", EROFS, kPermissionDenied, [](Platform&, File& f) { f.Truncate(0); }},
      {"Close", EIO, kDeviceIoError, [](Platform&, File& f) { f.Close(); }},
      {"Close", EINTR, kDeviceIoError, [](Platform&, File& f) { f.Close(); }},
      {"FSync", EIO, kDeviceIoError, [](Platform&, File& f) { f.Sync(); }},
      {"FSync", ENXIO, kDeviceUnavailable,
       [](Platform& p, File&) { p.FlushToMedium("c:\\piece"); }},
      {"Open", EROFS, kPermissionDenied,
       [](Platform& p, File&) { p.Open("c:\\piece", OpenMode::kWriteText); }},
      {"Open", ENOMEDIUM, kDiskNotReady,
       [](Platform& p, File&) { p.Open("c:\\piece", OpenMode::kRead); }},
      {"Open", EMFILE, kTooManyFiles,
       [](Platform& p, File&) { p.Open("c:\\piece", OpenMode::kRead); }},
      {"Open", EINVAL, kBadFileName,
       [](Platform& p, File&) { p.Open("c:\\piece", OpenMode::kWriteText); }},
      {"Unlink", EACCES, kPermissionDenied, [](Platform& p, File&) { p.Kill("c:\\piece"); }},
      {"RenameNoReplace", EXDEV, kRenameAcrossDrives,
       [](Platform& p, File&) { p.Rename("c:\\piece", "c:\\moved"); }},
      {"RenameNoReplace", EIO, kDeviceIoError,
       [](Platform& p, File&) { p.Rename("c:\\piece", "c:\\moved"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " " + std::to_string(c.err));
    faults_.Clear();
    File f = platform().Open("c:\\piece", OpenMode::kWriteText);
    f.WriteAt("first", 5, 0);
    faults_.FailOn(c.op, c.err, "piece");
    EXPECT_ERROR(c.step(platform(), f), c.number);
    faults_.Clear();
    if (f.is_open()) f.Close();
    EXPECT_EQ(Bench::ReadFile(c_ + "/piece").substr(0, 5), "first");
  }
}

TEST_F(Files, InterruptedCallsAreRetried) {
  struct Case {
    const char* op;
    std::function<void(Platform&)> step;
  } cases[] = {
      {"Open", [](Platform& p) { p.Open("c:\\piece", OpenMode::kRead).Close(); }},
      {"PWrite",
       [](Platform& p) {
         File f = p.Open("c:\\piece", OpenMode::kReadWrite);
         f.WriteAt("again", 5, 0);
         f.Close();
       }},
      {"PRead",
       [](Platform& p) {
         File f = p.Open("c:\\piece", OpenMode::kRead);
         EXPECT_EQ(ReadAll(f), "piece");
       }},
      {"FTruncate",
       [](Platform& p) {
         File f = p.Open("c:\\piece", OpenMode::kReadWrite);
         f.Truncate(5);
         f.Close();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.op);
    Bench::WriteFile(c_ + "/piece", "piece");
    faults_.Clear();
    int before = faults_.Count(c.op);
    faults_.FailOn(c.op, EINTR, "piece");
    c.step(platform());
    EXPECT_EQ(faults_.Count(c.op) - before, 2);
  }
}

TEST_F(Files, FlushToMediumSyncsTheFileAndItsFolder) {
  Bench::WriteFile(a_ + "/Tx~1.2", "piece");
  int before = faults_.Count("FSync");
  platform().FlushToMedium("a:\\tx~1.2");
  EXPECT_EQ(faults_.Count("FSync") - before, 2);
  // The folder's sync is checked too ...
  faults_.FailOn("FSync", EIO, a_, 2);
  EXPECT_ERROR(platform().FlushToMedium("a:\\Tx~1.2"), kDeviceIoError);
  // ... except where the file system cannot sync a folder at all.
  faults_.Clear();
  faults_.FailOn("FSync", EINVAL, a_, 2);
  platform().FlushToMedium("a:\\Tx~1.2");
  EXPECT_ERROR(platform().FlushToMedium("a:\\nofile"), kFileNotFound);
}

// Hands out at most a few bytes per call, as pipes, signals and network
// file systems may.
class Dribble : public SysCalls {
 public:
  ssize_t PRead(int fd, void* buf, size_t count, off_t offset) override {
    return SysCalls::PRead(fd, buf, std::min<size_t>(count, 5), offset);
  }
  ssize_t PWrite(int fd, const void* buf, size_t count, off_t offset) override {
    return SysCalls::PWrite(fd, buf, std::min<size_t>(count, 7), offset);
  }
};

class FilesOnDribble : public Files {
 protected:
  FilesOnDribble() : Files(&dribble_) {}
  static Dribble dribble_;
};
Dribble FilesOnDribble::dribble_;

TEST_F(FilesOnDribble, ShortReadsAndWritesAreCarriedOn) {
  std::string bytes = Bench::VariedBytes(1000);
  WriteWhole(platform(), "a:\\Tx~1.2", bytes);
  File f = platform().Open("a:\\Tx~1.2", OpenMode::kRead);
  EXPECT_EQ(ReadAll(f), bytes);
  char tail[10];
  EXPECT_EQ(f.ReadAt(tail, 10, 995), 5);  // short only at the end
}

// A real full disk: a 2 MiB tmpfs, mounted when the tests run as root.
TEST_F(Files, RealDiskFullRaises61AndKeepsWhatFitted) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting needs root";
  std::string mnt = dir_.MakeDir("small");
  if (::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=2m") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
  }
  struct Unmount {
    std::string dir;
    ~Unmount() { ::umount2(dir.c_str(), MNT_DETACH); }
  } unmount{mnt};
  platform().drives().Set(Entry('t', mnt, kDriveRamdisk));
  std::string bytes = Bench::VariedBytes(3 << 20);
  File f = platform().Open("t:\\big.zip", OpenMode::kWriteText);
  EXPECT_ERROR(f.WriteAt(bytes.data(), static_cast<int64_t>(bytes.size()), 0), kDiskFull);
  int64_t kept = f.Length();
  f.Close();
  EXPECT_GT(kept, 1 << 20);
  EXPECT_EQ(Bench::ReadFile(mnt + "/big.zip"), bytes.substr(0, static_cast<size_t>(kept)));
  EXPECT_EQ(platform().SpaceQuery("t:").free_clusters, 0);
}

}  // namespace
}  // namespace tavrix
