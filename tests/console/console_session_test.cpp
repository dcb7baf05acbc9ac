// Whole runs of the terminal front end in-process: which command runs,
// when the menu is offered, when the run ends and with which status.
#include "console/console_session.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <sstream>
#include <streambuf>

#include "format/control_record.h"
#include "split/command_line_start.h"
#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

// Standard input as a queue of answer lines; `before` runs when the program
// starts reading that line, that is once the prompt for it is out.
class LineFeed : public std::streambuf {
 public:
  LineFeed& Line(std::string text, std::function<void()> before = {}) {
    lines_.push_back({std::move(text) + "\n", std::move(before)});
    return *this;
  }
  size_t unread() const { return lines_.size(); }

 protected:
  int_type underflow() override {
    if (gptr() != nullptr && gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (lines_.empty()) return traits_type::eof();
    current_ = std::move(lines_.front());
    lines_.pop_front();
    if (current_.before) current_.before();
    setg(current_.text.data(), current_.text.data(), current_.text.data() + current_.text.size());
    return traits_type::to_int_type(*gptr());
  }

 private:
  struct Pending {
    std::string text;
    std::function<void()> before;
  };
  std::deque<Pending> lines_;
  Pending current_;
};

const char kMenu[] =
    "== Tavrix ==\n1 Split a file\n2 Restore a file\n3 Contents\n4 About\n5 Exit\n> ";
const char kSerial[] = "314.159";

// A bench with a two-piece set on floppies "1" and "2" (the control
// record on floppy 2) and a session to run on it.
class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    piece1_ = Bench::VariedBytes(700, 3);
    piece2_ = Bench::VariedBytes(300, 4);
    MakeFloppy("1", {{"Tx~1.2", piece1_}, {std::string("Tx~SN") + kSerial, ""}});
    ControlRecord record;
    record.source_path = "/home/ann/small.bin";
    record.date = "2/13/26 10:20:30 AM";
    record.pieces = 2;
    record.size = 1000;
    record.serial = kSerial;
    record.description = "Small set";
    MakeFloppy("2", {{"Tx~2.0", piece2_},
                     {std::string("Tx~SN") + kSerial, ""},
                     {"Tx~ctl.dat", FormatControlRecord(record)}});
  }

  void MakeFloppy(const std::string& name,
                  const std::vector<std::pair<std::string, std::string>>& files) {
    bench_.NewFloppy(name);
    for (const auto& [file, bytes] : files)
      Bench::WriteFile(bench_.FloppyDir(name) + "/" + file, bytes);
  }

  int Run(const StartOptions& options) {
    std::istream in(&feed_);
    ConsoleSetting setting;
    setting.in = &in;
    setting.out = &out_;
    setting.program_dir = bench_.root;
    setting.clock = testing::FixedClock();
    return RunConsoleSession(options, *bench_.platform, setting);
  }
  static StartOptions Console(bool split = false, bool restore = false) {
    StartOptions o;
    o.console = true;
    o.split = split;
    o.restore = restore;
    return o;
  }
  // Answers for a restore's first floppy: the floppy picker on a:, the
  // target picker on c:.
  void FirstFloppyAnswers() { feed_.Line("a:").Line("ok").Line("c:").Line("ok"); }
  std::string Out() const { return out_.str(); }
  std::string Rebuilt() const { return Bench::ReadFile(bench_.c_dir + "/small.bin"); }

  Bench bench_;
  LineFeed feed_;
  std::ostringstream out_;
  std::string piece1_, piece2_;
};

TEST_F(SessionTest, MenuShowsAboutAndContentsUntilExit) {
  Bench::WriteFile(bench_.root + "/TAVRIX.HLP", "<html><body><h1>Tavrix Help</h1></body></html>");
  feed_.Line("about").Line("3").Line("5");
  EXPECT_EQ(Run(Console()), 0);
  std::string out = Out();
  EXPECT_NE(out.find(std::string(kMenu) + "== About Tavrix ==\nTavrix - Version 1.0\n" + kMenu +
                     "== Contents ==\nTavrix Help\n" + kMenu),
            std::string::npos)
      << out;
  EXPECT_EQ(out.substr(out.size() - std::string(kMenu).size()), kMenu);
}

TEST_F(SessionTest, EndOfInputAtTheMenuIsExit) {
  EXPECT_EQ(Run(Console()), 0);
  EXPECT_NE(Out().find(kMenu), std::string::npos);
}

TEST_F(SessionTest, RestoreFromTheMenuReturnsToTheMenuWhenItCompletes) {
  bench_.Insert("1");
  feed_.Line("2");
  FirstFloppyAnswers();
  feed_.Line("ok", [&] { bench_.Insert("2"); });
  feed_.Line("exit");
  EXPECT_EQ(Run(Console()), 0) << Out();
  EXPECT_EQ(Rebuilt(), piece1_ + piece2_);
  EXPECT_EQ(feed_.unread(), 0u);
  EXPECT_NE(Out().find("Label1: Restore is completed\n"), std::string::npos) << Out();
}

TEST_F(SessionTest, RestoreOptionEndsAsSoonAsTheRestoreCompletes) {
  bench_.Insert("2");
  FirstFloppyAnswers();
  feed_.Line("ok", [&] { bench_.Insert("1"); });
  feed_.Line("5");  // never read
  EXPECT_EQ(Run(Console(false, true)), 0) << Out();
  EXPECT_EQ(Rebuilt(), piece1_ + piece2_);
  EXPECT_EQ(Out().find("== Tavrix ==\n"), std::string::npos) << Out();
  EXPECT_EQ(feed_.unread(), 1u);
}

TEST_F(SessionTest, RestoreOptionGivenUpAtTheNextDiskPromptEndsWithStatus1) {
  bench_.Insert("1");
  FirstFloppyAnswers();
  feed_.Line("cancel");
  EXPECT_EQ(Run(Console(false, true)), 1) << Out();
  EXPECT_EQ(Out().find("== Tavrix ==\n"), std::string::npos) << Out();
}

TEST_F(SessionTest, RestoreOptionWithTheFloppyPickerCancelledEndsWithStatus1) {
  bench_.Insert("1");
  feed_.Line("cancel");
  EXPECT_EQ(Run(Console(false, true)), 1) << Out();
  EXPECT_EQ(Out().find("== Tavrix ==\n"), std::string::npos) << Out();
}

TEST_F(SessionTest, RefusedFloppyOffersTheMenuAndRestoreThereResumes) {
  bench_.Insert("1");
  FirstFloppyAnswers();
  feed_.Line("ok");  // floppy 1 again: refused
  feed_.Line("ok");  // the refusal's message
  feed_.Line("2", [&] { bench_.Insert("2"); });
  EXPECT_EQ(Run(Console(false, true)), 0) << Out();
  EXPECT_EQ(Rebuilt(), piece1_ + piece2_);
  std::string out = Out();
  size_t refused = out.find("This file/floppy has already been processed.\n");
  ASSERT_NE(refused, std::string::npos) << out;
  EXPECT_NE(out.find(kMenu, refused), std::string::npos) << out;
}

TEST_F(SessionTest, RestoreLeftUnfinishedEndsWithStatus1) {
  struct Case {
    const char* name;
    bool restore_option;
    std::vector<std::string> after_first_floppy;
  } cases[] = {
      {"--restore, Exit at the menu", true, {"ok", "ok", "5"}},
      {"--restore, end of input at the menu", true, {"ok", "ok"}},
      {"bare menu, Exit", false, {"ok", "ok", "Exit"}},
  };
  for (const auto& k : cases) {
    Bench* bench = &bench_;
    bench->Insert("1");
    LineFeed feed;
    if (!k.restore_option) feed.Line("2");
    feed.Line("a:").Line("ok").Line("c:").Line("ok");
    for (const auto& line : k.after_first_floppy) feed.Line(line);
    std::istream in(&feed);
    std::ostringstream out;
    ConsoleSetting setting;
    setting.in = &in;
    setting.out = &out;
    setting.clock = testing::FixedClock();
    EXPECT_EQ(RunConsoleSession(Console(false, k.restore_option), *bench->platform, setting), 1)
        << k.name << "\n"
        << out.str();
    EXPECT_NE(out.str().find(kMenu), std::string::npos) << k.name;
    // Start the next case from a clean target.
    std::filesystem::remove_all(bench->c_dir);
    std::filesystem::create_directories(bench->c_dir);
    bench->Eject();
  }
}

TEST_F(SessionTest, RestoreWithTheWrongRecordedSizeEndsWithStatus1) {
  ControlRecord record;
  record.source_path = "/home/ann/small.bin";
  record.date = "2/13/26 10:20:30 AM";
  record.pieces = 2;
  record.size = 1001;
  record.serial = kSerial;
  record.description = "Small set";
  Bench::WriteFile(bench_.FloppyDir("2") + "/Tx~ctl.dat", FormatControlRecord(record));
  bench_.Insert("1");
  FirstFloppyAnswers();
  feed_.Line("ok", [&] { bench_.Insert("2"); });
  feed_.Line("ok");  // "Restored file may not be valid."
  EXPECT_EQ(Run(Console(false, true)), 1) << Out();
  EXPECT_NE(Out().find("Restored file may not be valid.\n"), std::string::npos) << Out();
}

TEST_F(SessionTest, SplitOptionEndsWithStatus0OnceTheControlRecordIsWritten) {
  bench_.NewFloppy("blank");
  bench_.Insert("blank");
  std::string bytes = Bench::VariedBytes(5000, 9);
  Bench::WriteFile(bench_.c_dir + "/notes.txt", bytes);
  feed_.Line(bench_.c_dir + "/notes.txt");
  feed_.Line("a:").Line("ok");  // the floppy picker
  feed_.Line("ok");             // "This file fits on a single floppy"
  feed_.Line("Notes");          // the description
  feed_.Line("5");              // never read: the run ends with the split
  EXPECT_EQ(Run(Console(true, false)), 0) << Out();
  EXPECT_EQ(Bench::ReadFile(bench_.a_dir + "/Tx~1.0"), bytes);
  EXPECT_NE(Bench::ReadFile(bench_.a_dir + "/Tx~ctl.dat").find("Notes"), std::string::npos);
  EXPECT_EQ(feed_.unread(), 1u);
  EXPECT_EQ(Out().find("== Tavrix ==\n"), std::string::npos) << Out();
}

TEST_F(SessionTest, SplitOptionWithTheFileOpenCancelledEndsWithStatus1) {
  feed_.Line("");
  EXPECT_EQ(Run(Console(true, false)), 1) << Out();
  EXPECT_NE(Out().find("== Open ==\nFile to split:\n> "), std::string::npos) << Out();
}

}  // namespace
}  // namespace tavrix
