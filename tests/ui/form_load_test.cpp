// The start-up handler: the window's resting state, the command-line checks
// and the command-line split.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "restore/main_form.h"
#include "split/command_line_start.h"
#include "support/bench.h"
#include "support/fault_injector.h"

namespace tavrix {
namespace {

using testing::Bench;
using testing::Call;

class FormLoadTest : public ::testing::Test {
 protected:
  MainForm& form() { return *bench.form; }
  std::vector<Call> messages() const { return bench.ui.messages(); }
  void ExpectOneMessage(const std::string& text, const std::string& title, int style) {
    auto m = messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, text);
    EXPECT_EQ(m[0].title, title);
    EXPECT_EQ(m[0].style, style);
  }
  Bench bench;
};

TEST_F(FormLoadTest, WithoutArgumentsShowsTheDrivesInformation) {
  form().SetCaption("Tavrix <> old");
  form().w.height_twips = 4425;
  form().r.SourceFile = "left over";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, std::vector<std::string>{""}}) {
    Form_Load(form(), args);
    EXPECT_EQ(form().Text(StatusText::kCaption), "Tavrix");
    EXPECT_EQ(form().w.height_twips, kRestingHeightTwips);
    EXPECT_EQ(form().r.SourceFile, "");
    EXPECT_EQ(form().r.CommandLine, "");
    EXPECT_TRUE(form().r.DriveInfoFresh);
    EXPECT_NE(form().Text(StatusText::kLabel4).find(" bytes available."), std::string::npos);
    EXPECT_FALSE(form().w.command_running);
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(FormLoadTest, OneArgumentWithoutABlankIsAParseError) {
  bench.ui.Msg(kAnswerOk);
  Form_Load(form(), {"C:\\big.zip"});
  ExpectOneMessage(
      "Syntax is TAVRIX full-path:\\source_filename target_drive:\r\n"
      "You entered {TAVRIX C:\\big.zip}.",
      "Tavrix | Parse Error", 32);
  EXPECT_EQ(form().r.CommandLine, "C:\\big.zip");
  EXPECT_EQ(form().r.SourceFile, "");
}

TEST_F(FormLoadTest, SourcesThatAreNotValid) {
  std::filesystem::create_directories(bench.root + "/My Files");
  Bench::WriteFile(bench.root + "/My Files/big.zip", "abc");
  struct Case {
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {{bench.root + "/missing.zip", "a"}},
      // One argument: the path is cut at its first blank.
      {{bench.root + "/My Files/big.zip a"}},
      // A directory has nothing to split.
      {{bench.root + "/My Files", "a"}},
  };
  for (const Case& c : cases) {
    bench.ui.Msg(kAnswerOk);
    size_t before = messages().size();
    Form_Load(form(), c.args);
    auto m = messages();
    ASSERT_EQ(m.size(), before + 1) << c.args[0];
    EXPECT_EQ(m.back().text, "Source file is not valid");
    EXPECT_EQ(m.back().title, "TAVRIX | Bad source file name or path");
    EXPECT_EQ(m.back().style, 32);
    EXPECT_EQ(form().r.SourceFile, "");
    EXPECT_FALSE(form().w.command_running);
  }
}

TEST_F(FormLoadTest, AnEmptySourceNeedsNoSplit) {
  Bench::WriteFile(bench.c_dir + "/empty.bin", "");
  bench.ui.Msg(kAnswerOk);
  Form_Load(form(), {bench.c_dir + "/empty.bin", "a"});
  ExpectOneMessage("Source file doesn't need TAVRIX!", "TAVRIX | You don't need me for this one",
                   32);
  EXPECT_FALSE(Bench::FileExistsOnHost(bench.a_dir));
}

TEST_F(FormLoadTest, SeparateArgumentsKeepBlanksInThePath) {
  // The second argument's first character is the drive; q: is no drive of
  // this machine, so the warning comes, then the drive cannot be shown.
  std::filesystem::create_directories(bench.root + "/My Files");
  Bench::WriteFile(bench.root + "/My Files/big.zip", "abc");
  bench.ui.Msg(kAnswerOk).Msg(kAnswerCancel);
  EXPECT_THROW(Form_Load(form(), {bench.root + "/My Files/big.zip", "q:\\"}), ProgramExit);
  auto m = messages();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].text, "Target device is not removable media.");
  EXPECT_EQ(m[0].title, "Tavrix | Splits large files onto diskettes");
  EXPECT_EQ(m[0].style, 16);
  EXPECT_EQ(m[1].text, "Drive is not ready");
  EXPECT_EQ(m[1].title, "Error");
  EXPECT_EQ(m[1].style, 21);
  EXPECT_EQ(form().r.SourceFile, bench.root + "/My Files/big.zip");
  EXPECT_EQ(form().r.SourceSize, 3);
  EXPECT_EQ(form().r.CommandLine, bench.root + "/My Files/big.zip q:\\");
}

// The command-line split, on floppies in drive a:.
class CommandLineSplitTest : public ::testing::Test {
 protected:
  static constexpr int64_t kSourceSize = 3000000;
  static constexpr int64_t kFullPiece = 2847 * 512 - 512;

  explicit CommandLineSplitTest(SysCalls* sys = nullptr) : bench(sys) {
    source = bench.c_dir + "/big.bin";
    data = Bench::VariedBytes(kSourceSize, 5);
    Bench::WriteFile(source, data);
    for (const char* f : {"one", "two", "three", "spare"}) bench.NewFloppy(f);
    bench.Insert("one");
  }
  MainForm& form() { return *bench.form; }
  // Answers the prompts for floppies 2 and 3 and the description.
  void ScriptFloppiesTwoAndThree() {
    bench.ui.Msg(kAnswerOk, [&] { bench.Insert("two"); });
    bench.ui.Msg(kAnswerOk, [&] { bench.Insert("three"); });
    bench.ui.Input(std::nullopt);
  }
  std::string SetBytes(const std::string& first = "one") {
    return Bench::ReadFile(bench.FloppyDir(first) + "/Tx~1.2") +
           Bench::ReadFile(bench.FloppyDir("two") + "/Tx~2.3") +
           Bench::ReadFile(bench.FloppyDir("three") + "/Tx~3.0");
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> out;
    for (const auto& c : bench.ui.messages()) out.push_back(c.text);
    return out;
  }

  Bench bench;
  std::string source;
  std::string data;
};

TEST_F(CommandLineSplitTest, SplitsAtOnceWithoutEnlargingTheWindow) {
  ScriptFloppiesTwoAndThree();
  int tallest = 0;
  bench.ui.on_yield = [&] {
    tallest = std::max(tallest, form().w.height_twips);
    // From the first status line on, no second command may start.
    if (!form().Text(StatusText::kLabel1).empty()) {
      EXPECT_TRUE(form().w.command_running);
    }
  };
  Form_Load(form(), {source, "a"});
  ASSERT_TRUE(bench.ui.done());
  // Floppy 1 was in the drive and measured: no prompt for it.
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Insert floppy # 2", "Insert floppy # 3"}));
  EXPECT_TRUE(SetBytes() == data);
  EXPECT_EQ(tallest, kRestingHeightTwips);
  const auto& log = bench.ui.status_log();
  EXPECT_NE(std::find(log.begin(), log.end(), "Label1: Processing command-line " + source + " a"),
            log.end());
  EXPECT_EQ(form().Text(StatusText::kLabel1), "Done");
  EXPECT_EQ(form().r.CommandLine, source + " a");
  EXPECT_TRUE(form().outcome.split_done);
  EXPECT_FALSE(form().w.command_running);
  std::string record = Bench::ReadFile(bench.FloppyDir("three") + "/Tx~ctl.dat");
  EXPECT_NE(record.find("\r\n[No Description]\r\n"), std::string::npos);
}

TEST_F(CommandLineSplitTest, OneArgumentIsCutAtItsFirstBlank) {
  ScriptFloppiesTwoAndThree();
  Form_Load(form(), {source + " A:\\"});
  ASSERT_TRUE(bench.ui.done());
  EXPECT_TRUE(SetBytes() == data);
  EXPECT_EQ(form().Drive1.drive, "a:");
}

// Started from the floppy drive itself: the drive list shows a: already,
// and floppy 1 must still be measured rather than get a piece of 0 bytes.
TEST_F(CommandLineSplitTest, MeasuresTheTargetEvenWhenTheDriveListShowsIt) {
  form().Drive1.drive = "a:";
  ScriptFloppiesTwoAndThree();
  Form_Load(form(), {source, "a"});
  ASSERT_TRUE(bench.ui.done());
  EXPECT_EQ(static_cast<int64_t>(Bench::ReadFile(bench.FloppyDir("one") + "/Tx~1.2").size()),
            kFullPiece);
  EXPECT_TRUE(SetBytes() == data);
}

// A floppy 1 with one cluster free is refused and asked for with the prompt.
TEST_F(CommandLineSplitTest, AFullFirstFloppyIsRefusedAndAskedFor) {
  bench.NewFloppy("full");
  Bench::WriteFile(bench.FloppyDir("full") + "/old.dat", std::string(2846 * 512, 'x'));
  bench.Insert("full");
  bench.ui.Msg(kAnswerOk);  // "Floppy already used!"
  bench.ui.Msg(kAnswerOk, [&] { bench.Insert("one"); });
  ScriptFloppiesTwoAndThree();
  Form_Load(form(), {source, "a"});
  ASSERT_TRUE(bench.ui.done());
  auto m = bench.ui.messages();
  ASSERT_GE(m.size(), 2u);
  EXPECT_EQ(m[0].title, "Tavrix | Floppy already used!");
  EXPECT_EQ(m[1].text, "Insert floppy # 1");
  EXPECT_TRUE(SetBytes() == data);
  EXPECT_EQ(Bench::ReadFile(bench.FloppyDir("full") + "/old.dat").size(), 2846u * 512);
  EXPECT_FALSE(Bench::FileExistsOnHost(bench.FloppyDir("full") + "/Tx~1.2"));
}

TEST_F(CommandLineSplitTest, AFixedDiskTargetIsWarnedAboutAndUsed) {
  bench.ui.Msg(kAnswerOk).Msg(kAnswerOk).Input("one piece");
  Form_Load(form(), {source, "c"});
  ASSERT_TRUE(bench.ui.done());
  auto m = MessageTexts();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0], "Target device is not removable media.");
  EXPECT_EQ(m[1], "This file fits on a single floppy");
  EXPECT_TRUE(Bench::ReadFile(bench.c_dir + "/Tx~1.0") == data);
}

class CommandLineRetryTest : public CommandLineSplitTest {
 protected:
  CommandLineRetryTest() : CommandLineSplitTest(&faults) {}
  testing::FaultInjector faults;
};

// Retry after a failed command-line split starts again from the source's
// first byte, floppy 1 prompted for, with a serial of its own.
TEST_F(CommandLineRetryTest, RetryStartsTheSplitAgainFromTheStart) {
  faults.FailOn("Open", ENXIO, "big.bin");
  bench.ui.Msg(kAnswerRetry);                             // "Drive is not ready"
  bench.ui.Msg(kAnswerOk, [&] { bench.Insert("one"); });  // "Insert floppy # 1"
  ScriptFloppiesTwoAndThree();
  Form_Load(form(), {source, "a"});
  ASSERT_TRUE(bench.ui.done());
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Drive is not ready", "Insert floppy # 1",
                                                      "Insert floppy # 2", "Insert floppy # 3"}));
  EXPECT_TRUE(SetBytes() == data);
  EXPECT_TRUE(form().outcome.split_done);
}

TEST_F(CommandLineRetryTest, CancelAtDriveNotReadyEndsTheProgram) {
  faults.FailOn("Open", ENXIO, "big.bin");
  bench.ui.Msg(kAnswerCancel);
  EXPECT_THROW(Form_Load(form(), {source, "a"}), ProgramExit);
  EXPECT_FALSE(Bench::FileExistsOnHost(bench.a_dir + "/Tx~1.2"));
}

}  // namespace
}  // namespace tavrix
