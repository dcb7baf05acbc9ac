// The terminal front end as a script meets it: the built program run as a
// subprocess through pipes, floppies swapped between answers.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "program_runner.h"
#include "support/bench.h"

namespace tavrix {
namespace {

namespace fs = std::filesystem;
using testing::Bench;
using testing::ProgramRunner;

constexpr int64_t kSourceSize = 3'000'000;
// A 1.44 MB floppy holds 2847 clusters of 512 bytes; one stays free.
constexpr int64_t kPieceSize = 2847 * 512 - 512;

const char kInsertFloppy2[] =
    "== Tavrix | More please ... ==\nInsert floppy # 2\n[OK] [Cancel]\n> ";
const char kInsertFloppy3[] =
    "== Tavrix | More please ... ==\nInsert floppy # 3\n[OK] [Cancel]\n> ";
const char kAnotherDisk[] =
    "== Restore ==\nPlease insert another disk of this set\n[OK] [Cancel]\n> ";
const char kPickerPrompt[] = "[Ok] [Cancel]\n> ";

// A machine for the program: a home directory (drive c:), a directory
// playing floppy drive a:, a fixed disk d: to restore onto, and a shelf of
// floppies taken out of a:.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "tavrix-program-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    root_ = tmpl;
    home_ = root_ + "/home";
    a_ = root_ + "/a";
    d_ = root_ + "/d";
    shelf_ = root_ + "/shelf";
    for (const auto& dir : {home_, a_, d_, shelf_}) fs::create_directories(dir);
    source_ = Bench::VariedBytes(kSourceSize, 7);
    Bench::WriteFile(home_ + "/big.bin", source_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  // Starts the program with the test's drives before `args`.  No display is
  // reachable: the terminal front end must not need one.
  std::unique_ptr<ProgramRunner> Start(std::vector<std::string> args) {
    std::vector<std::string> all = {"--drive", "a=" + a_ + ",geometry=1.44m", "--drive", "d=" + d_};
    all.insert(all.end(), args.begin(), args.end());
    return std::make_unique<ProgramRunner>(
        TAVRIX_BINARY, all, home_, std::vector<std::string>{"HOME=" + home_, "LC_ALL=C"},
        std::vector<std::string>{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
  }

  // Takes the floppy out of drive a: onto the shelf as `out`, and puts in
  // floppy `in` from the shelf, or a new empty one when `in` is "".
  void Swap(const std::string& out, const std::string& in) {
    fs::rename(a_, shelf_ + "/" + out);
    if (in.empty()) {
      fs::create_directories(a_);
    } else {
      fs::rename(shelf_ + "/" + in, a_);
    }
  }
  std::string Floppy(const std::string& name) const { return shelf_ + "/" + name; }

  // Splits big.bin onto three floppies from the command line; afterwards
  // floppies 1 and 2 are on the shelf and floppy 3 is in the drive.
  void SplitOntoThreeFloppies() {
    auto p = Start({"--console", home_ + "/big.bin", "a"});
    p->ReadUntil(kInsertFloppy2);
    Swap("1", "");
    p->Send("ok");
    p->ReadUntil(kInsertFloppy3);
    Swap("2", "");
    p->Send("OK");
    p->ReadUntil(
        "== Tavrix Split File Description ==\nPlease enter a description for this disk set\n"
        "[default: ");
    p->ReadUntil("]\n> ");
    p->Send("Measurements 1994");
    ASSERT_EQ(p->Wait(), 0) << p->output() << p->errors();
    split_output_ = p->output();
  }

  // Starts a restore from the floppy in drive a: onto d:; returns at the
  // first "Please insert another disk of this set".
  std::unique_ptr<ProgramRunner> StartRestore() {
    auto p = Start({"--console", "--restore"});
    std::string picker = p->ReadUntil(kPickerPrompt);
    EXPECT_NE(picker.find("\n  a:\n"), std::string::npos) << picker;
    p->Send("a:");
    p->ReadUntil(kPickerPrompt);
    p->Send("ok");
    std::string target = p->ReadUntil(kPickerPrompt);
    EXPECT_NE(target.find("\n  d:\n"), std::string::npos) << target;
    p->Send("d:");
    p->ReadUntil(kPickerPrompt);
    p->Send("ok");
    p->ReadUntil(kAnotherDisk);
    return p;
  }

  std::string root_, home_, a_, d_, shelf_;
  std::string source_;
  std::string split_output_;
};

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_F(ProgramTest, SplitThenRestoreInTheOrder231RebuildsTheFile) {
  SplitOntoThreeFloppies();
  EXPECT_EQ(Bench::ReadFile(Floppy("1") + "/Tx~1.2") + Bench::ReadFile(Floppy("2") + "/Tx~2.3") +
                Bench::ReadFile(a_ + "/Tx~3.0"),
            source_);
  EXPECT_TRUE(fs::exists(a_ + "/Tx~ctl.dat"));
  // Status lines, the activity once per piece, and no progress bar on a pipe.
  EXPECT_NE(split_output_.find("Label2: Writing to a:\\Tx~3.0 (last)\n"), std::string::npos)
      << split_output_;
  EXPECT_EQ(Count(split_output_, "ActionLbl: Reading ...\n"), 3u) << split_output_;
  EXPECT_EQ(split_output_.find('\r'), std::string::npos);

  Swap("3", "2");
  auto p = StartRestore();
  Swap("2", "3");
  p->Send("ok");
  p->ReadUntil(kAnotherDisk);
  Swap("3", "1");
  p->Send("ok");
  EXPECT_EQ(p->Wait(), 0) << p->output() << p->errors();
  ASSERT_TRUE(fs::exists(d_ + "/big.bin")) << p->output();
  EXPECT_TRUE(Bench::ReadFile(d_ + "/big.bin") == source_);
  for (const auto& e : fs::directory_iterator(d_)) {
    EXPECT_EQ(e.path().filename(), "big.bin") << "left behind on the target";
  }
}

TEST_F(ProgramTest, CancelAtInsertFloppy2EndsWithStatus1AndFloppy1Intact) {
  auto p = Start({"--console", home_ + "/big.bin", "a"});
  p->ReadUntil(kInsertFloppy2);
  p->Send("cancel");
  EXPECT_EQ(p->Wait(), 1) << p->output() << p->errors();
  EXPECT_EQ(Bench::ReadFile(a_ + "/Tx~1.2"), source_.substr(0, kPieceSize));
  bool marker = false;
  for (const auto& e : fs::directory_iterator(a_)) {
    marker = marker || e.path().filename().string().rfind("Tx~SN", 0) == 0;
  }
  EXPECT_TRUE(marker);
  EXPECT_FALSE(fs::exists(a_ + "/Tx~ctl.dat"));
}

TEST_F(ProgramTest, CommandLineWithoutADriveIsAParseError) {
  auto p = Start({"--console", home_ + "/big.bin"});
  std::string block = p->ReadUntil("[OK]\n> ");
  EXPECT_NE(block.find("== Tavrix | Parse Error ==\n"
                       "Syntax is TAVRIX full-path:\\source_filename target_drive:\n"
                       "You entered {TAVRIX " +
                       home_ + "/big.bin}.\n[OK]\n> "),
            std::string::npos)
      << block;
  p->Send("ok");
  EXPECT_EQ(p->Wait(), 1) << p->output() << p->errors();
}

TEST_F(ProgramTest, EndOfInputInTheMiddleOfARestoreGivesItUp) {
  SplitOntoThreeFloppies();
  Swap("3", "2");
  auto p = StartRestore();
  // End of input answers Cancel at the prompt for the next floppy.
  EXPECT_EQ(p->Wait(), 1) << p->output() << p->errors();
  EXPECT_FALSE(fs::exists(d_ + "/big.bin"));
  EXPECT_EQ(p->output().find("== Tavrix ==\n"), std::string::npos) << "no menu after giving up";
}

TEST_F(ProgramTest, RefusedFloppyLeadsToTheMenuWhoseRestoreResumes) {
  SplitOntoThreeFloppies();
  Swap("3", "2");
  auto p = StartRestore();
  p->Send("ok");  // floppy 2 is still in the drive
  std::string refused = p->ReadUntil("[OK]\n> ");
  EXPECT_NE(refused.find("This file/floppy has already been processed.\n"
                         "Replace floppy and select Restore from menu.\n"),
            std::string::npos)
      << refused;
  p->Send("ok");
  p->ReadUntil("== Tavrix ==\n1 Split a file\n2 Restore a file\n3 Contents\n4 About\n5 Exit\n> ");
  Swap("2", "1");
  p->Send("Restore a file");
  p->ReadUntil(kAnotherDisk);
  Swap("1", "3");
  p->Send("ok");
  // The restore completes and the program ends without Exit.
  EXPECT_EQ(p->Wait(), 0) << p->output() << p->errors();
  EXPECT_TRUE(Bench::ReadFile(d_ + "/big.bin") == source_);
}

TEST_F(ProgramTest, RestoreLeftUnfinishedAtTheMenuEndsWithStatus1) {
  SplitOntoThreeFloppies();
  Swap("3", "2");
  auto p = StartRestore();
  p->Send("ok");
  p->ReadUntil("[OK]\n> ");
  p->Send("ok");
  p->ReadUntil("5 Exit\n> ");
  p->Send("exit");
  EXPECT_EQ(p->Wait(), 1) << p->output() << p->errors();
}

TEST_F(ProgramTest, BareMenuShowsAboutAndExitsWithStatus0) {
  auto p = Start({"--console"});
  p->ReadUntil("5 Exit\n> ");
  p->Send("4");
  p->ReadUntil("Tavrix - Version 1.0\n");
  p->ReadUntil("5 Exit\n> ");
  p->Send("5");
  EXPECT_EQ(p->Wait(), 0) << p->output() << p->errors();
  EXPECT_EQ(p->errors(), "");
}

TEST_F(ProgramTest, WithoutADisplayTheProgramFallsBackToTheTerminal) {
  auto p = Start({});
  p->ReadUntil("5 Exit\n> ");
  EXPECT_EQ(p->Wait(), 0) << p->output() << p->errors();  // end of input is Exit
  std::string notice = p->errors();
  EXPECT_FALSE(notice.empty());
  EXPECT_EQ(Count(notice, "\n"), 1u) << notice;
}

TEST_F(ProgramTest, BadUsageOfOurOwnOptionsExitsWithStatus2) {
  auto p = Start({"--console", "--no-such-option"});
  EXPECT_EQ(p->Wait(), 2) << p->output() << p->errors();
  // The message names the option and points to the usage text.
  EXPECT_NE(p->errors().find("--no-such-option"), std::string::npos) << p->errors();
  EXPECT_NE(p->errors().find("--help"), std::string::npos) << p->errors();
  EXPECT_EQ(p->output(), "");
}

}  // namespace
}  // namespace tavrix
