// Failures during a restore: a full target, a floppy that cannot be read,
// a write-protected floppy.  A fatal error ends the program with the
// floppies untouched and what was written left on the target.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>

#include "restore/floppy_scan.h"
#include "restore_fixture.h"
#include "support/fault_injector.h"

namespace tavrix {
namespace {

using testing::Bench;
using testing::DirNames;
using testing::FloppySnapshot;
using testing::MessageTexts;
using testing::WriteSet;

TEST(RestoreErrors, TheTargetFillingUpOnASmallTmpfsEndsTheProgram) {
  Bench b;
  if (::mount("tmpfs", b.c_dir.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  }
  struct Unmount {
    std::string dir;
    ~Unmount() { ::umount2(dir.c_str(), MNT_DETACH); }
  } unmount{b.c_dir};
  // Three pieces of 20,000 bytes: each fits when it comes, but appending the
  // parked piece 3 needs room while its hold file still takes its own.
  std::string data = Bench::VariedBytes(60000, 8);
  auto f = WriteSet(b, data, 3);
  std::string floppies = FloppySnapshot(b, f);
  testing::ScriptRestore(b, {f[0], f[2], f[1]});
  b.ui.Msg(kAnswerOk);  // the error report

  EXPECT_THROW(mnu_Restore_Click(*b.form), ProgramExit);

  EXPECT_TRUE(b.ui.done());
  auto m = b.ui.messages().back();
  EXPECT_EQ(m.text, "Error  61 = Disk full");
  EXPECT_EQ(m.title, "Error");
  EXPECT_EQ(m.style, 16);
  EXPECT_TRUE(FloppySnapshot(b, f) == floppies);
  // What was written stays: pieces 1 and 2 in the start file, piece 3 in its
  // hold file.
  EXPECT_EQ(DirNames(b.c_dir), (std::vector<std::string>{"Tx~Hold.3", "Tx~Start.OK"}));
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/Tx~Start.OK").substr(0, 40000) == data.substr(0, 40000));
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/Tx~Hold.3") == data.substr(40000));
}

TEST(RestoreErrors, AFailingCopyIsReportedWithItsNumberAndText) {
  struct Case {
    const char* op;
    int err;
    const char* path_part;
    const char* report;
  } cases[] = {
      {"PWrite", ENOSPC, "Tx~Start.OK", "Error  61 = Disk full"},
      {"PRead", ENXIO, "Tx~2.3", "Error  68 = Device unavailable"},
      {"PRead", EIO, "Tx~2.3", "Error  57 = Device I/O error"},
      {"Open", EACCES, "Tx~Start.OK", "Error  70 = Permission denied"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report);
    testing::FaultInjector sys;
    Bench b(&sys);
    std::string data = Bench::VariedBytes(3000, 6);
    auto f = WriteSet(b, data, 3);
    std::string floppies = FloppySnapshot(b, f);
    testing::ScriptRestore(b, {f[0], f[1]});
    b.ui.Msg(kAnswerOk);  // the error report, for piece 2
    // Armed once piece 1 is in: the next such call fails.
    b.ui.on_yield = [&] {
      if (b.form->r.PieceCount == 1 && b.ui.on_yield) {
        sys.FailOn(c.op, c.err, c.path_part);
        b.ui.on_yield = nullptr;
      }
    };

    EXPECT_THROW(mnu_Restore_Click(*b.form), ProgramExit);

    EXPECT_TRUE(b.ui.done());
    auto m = b.ui.messages().back();
    EXPECT_EQ(m.text, c.report);
    EXPECT_EQ(m.title, "Error");
    EXPECT_EQ(m.style, 16);
    EXPECT_TRUE(FloppySnapshot(b, f) == floppies);
    EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/Tx~Start.OK").substr(0, 1000) == data.substr(0, 1000));
  }
}

// The floppies refuse every write, as a write-protected floppy does.
class WriteProtected : public SysCalls {
 public:
  std::string floppy_dir;

  int Open(const char* path, int flags, mode_t mode) override {
    if (OnFloppy(path) && (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0) return Refuse();
    return SysCalls::Open(path, flags, mode);
  }
  int Unlink(const char* path) override {
    return OnFloppy(path) ? Refuse() : SysCalls::Unlink(path);
  }
  int RenameNoReplace(const char* from, const char* to) override {
    return OnFloppy(from) || OnFloppy(to) ? Refuse() : SysCalls::RenameNoReplace(from, to);
  }

 private:
  bool OnFloppy(const char* path) const {
    return !floppy_dir.empty() && std::string(path).rfind(floppy_dir + "/", 0) == 0;
  }
  static int Refuse() {
    errno = EROFS;
    return -1;
  }
};

TEST(RestoreErrors, AWriteProtectedFloppyRestoresNormally) {
  WriteProtected sys;
  Bench b(&sys);
  sys.floppy_dir = b.a_dir;
  std::string data = Bench::VariedBytes(3000, 12);
  auto f = WriteSet(b, data, 3);
  testing::ScriptRestore(b, {f[2], f[0], f[1]});

  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  EXPECT_EQ(MessageTexts(b.ui),
            std::vector<std::string>(2, "Please insert another disk of this set\r\n"));
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/BIG.BIN") == data);
}

}  // namespace
}  // namespace tavrix
