// The prompt protocol of the terminal front end, driven through string
// streams: the exact blocks printed, how answers are read, and what end of
// input answers.
#include "console/console_interaction.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <streambuf>

#include "drives/drive_picker.h"
#include "platform/error.h"
#include "restore/main_form.h"
#include "split/progress.h"
#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

// A console on string streams.
struct Console {
  explicit Console(std::string input, bool terminal = false)
      : in(std::move(input)), ui(in, out, terminal) {}
  std::istringstream in;
  std::ostringstream out;
  ConsoleInteraction ui;
};

// ---- Message boxes -------------------------------------------------------

TEST(ConsoleMsgBox, PrintsTitleTextButtonsAndPrompt) {
  Console c("ok\n");
  int answer =
      c.ui.MsgBox("Insert floppy # 2", "Tavrix | More please ...", kIconQuestion + kStyleOkCancel);
  EXPECT_EQ(answer, kAnswerOk);
  EXPECT_EQ(c.out.str(),
            "== Tavrix | More please ... ==\n"
            "Insert floppy # 2\n"
            "[OK] [Cancel]\n"
            "> ");
}

TEST(ConsoleMsgBox, EachCrLfStartsALineButATrailingOneAddsNone) {
  struct Case {
    std::string text;
    std::string printed;
  } cases[] = {
      {"Please insert another disk of this set\r\n", "Please insert another disk of this set\n"},
      {"No valid Tavrix restore data file was found.\r\nReplace floppy and select Restore from "
       "menu.",
       "No valid Tavrix restore data file was found.\nReplace floppy and select Restore from "
       "menu.\n"},
      {"one\r\n\r\nthree", "one\n\nthree\n"},
      {"one\r\n\r\n", "one\n\n"},
      {"", "\n"},
  };
  for (const auto& k : cases) {
    Console c("ok\n");
    c.ui.MsgBox(k.text, "T", kStyleOk);
    EXPECT_EQ(c.out.str(), "== T ==\n" + k.printed + "[OK]\n> ") << k.printed;
  }
}

TEST(ConsoleMsgBox, ButtonsFollowTheStyleInTheOrderOkYesNoRetryCancel) {
  struct Case {
    int style;
    const char* buttons;
  } cases[] = {
      {0, "[OK]"},
      {kIconCritical, "[OK]"},
      {kIconQuestion, "[OK]"},
      {kIconQuestion + kStyleOkCancel, "[OK] [Cancel]"},
      {kStyleYesNoCancel, "[Yes] [No] [Cancel]"},
      {kIconExclamation + kStyleYesNo, "[Yes] [No]"},
      {kIconCritical + kStyleRetryCancel, "[Retry] [Cancel]"},
  };
  for (const auto& k : cases) {
    Console c("cancel\nno\nok\n");
    c.ui.MsgBox("m", "T", k.style);
    std::string out = c.out.str();
    EXPECT_EQ(out.substr(0, out.find('\n', 10) + 1), "== T ==\nm\n" + std::string(k.buttons) + "\n")
        << "style " << k.style;
  }
}

TEST(ConsoleMsgBox, AnswersAreTrimmedAndCaseIgnored) {
  struct Case {
    int style;
    const char* line;
    int answer;
  } cases[] = {
      {kStyleYesNoCancel, "  yes \t\n", kAnswerYes},
      {kStyleYesNoCancel, "NO\n", kAnswerNo},
      {kStyleYesNoCancel, "Cancel\r\n", kAnswerCancel},
      {kStyleRetryCancel, "rEtRy\n", kAnswerRetry},
      {kStyleOk, "OK\n", kAnswerOk},
  };
  for (const auto& k : cases) {
    Console c(k.line);
    EXPECT_EQ(c.ui.MsgBox("m", "T", k.style), k.answer) << k.line;
  }
}

TEST(ConsoleMsgBox, AnythingElseRepeatsTheButtonLineAndAsksAgain) {
  // "cancel" names no button of a Yes/No box; "y" is no button's name.
  Console c("maybe\ncancel\ny\n\nno\n");
  EXPECT_EQ(c.ui.MsgBox("Replace it?", "T", kStyleYesNo), kAnswerNo);
  EXPECT_EQ(c.out.str(),
            "== T ==\nReplace it?\n[Yes] [No]\n> "
            "[Yes] [No]\n> [Yes] [No]\n> [Yes] [No]\n> [Yes] [No]\n> ");
}

TEST(ConsoleMsgBox, EndOfInputAnswersCancelThenNoThenOk) {
  struct Case {
    int style;
    int answer;
  } cases[] = {
      {kIconQuestion + kStyleOkCancel, kAnswerCancel},
      {kStyleYesNoCancel, kAnswerCancel},
      {kStyleYesNo, kAnswerNo},
      {kIconCritical + kStyleRetryCancel, kAnswerCancel},
      {kIconQuestion, kAnswerOk},
  };
  for (const auto& k : cases) {
    Console c("");
    EXPECT_EQ(c.ui.MsgBox("m", "T", k.style), k.answer) << "style " << k.style;
  }
  // A bad answer and then the end: still the safe answer.
  Console c("what\n");
  EXPECT_EQ(c.ui.MsgBox("m", "T", kStyleYesNo), kAnswerNo);
}

TEST(ConsoleMsgBox, DialogsThatKeepAskingAfterTheEndOfInputEndTheRun) {
  Console c("");
  int asked = 0;
  try {
    for (;;) {
      c.ui.MsgBox("Insert floppy # 2", "T", kStyleOk);
      ++asked;
      ASSERT_LT(asked, 100000);
    }
  } catch (const ProgramExit& e) {
    EXPECT_EQ(e.status, 1);
  }
  EXPECT_GT(asked, 10);  // a run that asks a few more questions still ends normally
}

// Output that reaches its reader only when flushed; the input records what
// the reader had seen each time an answer was read.
class HeldOutput : public std::stringbuf {
 public:
  std::string delivered;

 protected:
  int sync() override {
    delivered = str();
    return 0;
  }
};
class WatchingInput : public std::streambuf {
 public:
  WatchingInput(std::string data, const HeldOutput& out) : data_(std::move(data)), out_(out) {}
  std::vector<std::string> seen_at_read;

 protected:
  int_type underflow() override {
    if (gptr() != nullptr && gptr() < egptr()) return traits_type::to_int_type(*gptr());
    seen_at_read.push_back(out_.delivered);
    if (pos_ >= data_.size()) return traits_type::eof();
    // One line at a time, as a pipe written after each prompt delivers it.
    size_t end = data_.find('\n', pos_);
    end = end == std::string::npos ? data_.size() : end + 1;
    line_ = data_.substr(pos_, end - pos_);
    pos_ = end;
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::string data_;
  std::string line_;
  size_t pos_ = 0;
  const HeldOutput& out_;
};

TEST(ConsoleMsgBox, OutputIsFlushedBeforeEveryAnswerIsRead) {
  HeldOutput held;
  WatchingInput watching("bad\nyes\n", held);
  std::ostream out(&held);
  std::istream in(&watching);
  ConsoleInteraction ui(in, out, false);
  ui.StatusChanged(StatusText::kLabel1, "Processing");
  EXPECT_EQ(ui.MsgBox("Sure?", "T", kStyleYesNo), kAnswerYes);
  ASSERT_GE(watching.seen_at_read.size(), 2u);
  EXPECT_EQ(watching.seen_at_read[0], "Label1: Processing\n== T ==\nSure?\n[Yes] [No]\n> ");
  EXPECT_EQ(watching.seen_at_read[1],
            "Label1: Processing\n== T ==\nSure?\n[Yes] [No]\n> [Yes] [No]\n> ");
}

// ---- Input box -----------------------------------------------------------

TEST(ConsoleInputBox, PrintsTitlePromptDefaultAndPrompt) {
  Console c("Tax records 1994\n");
  auto answer = c.ui.InputBox("Enter a description", "Tavrix | Description", "big.zip");
  EXPECT_EQ(answer, std::optional<std::string>("Tax records 1994"));
  EXPECT_EQ(c.out.str(), "== Tavrix | Description ==\nEnter a description\n[default: big.zip]\n> ");
}

TEST(ConsoleInputBox, EmptyLineTakesTheDefaultDashEmptiesEndOfInputCancels) {
  struct Case {
    std::string input;
    std::optional<std::string> answer;
  } cases[] = {
      {"\n", "big.zip"}, {"   \n", "big.zip"},           {"-\n", ""},        {" - \n", ""},
      {"--\n", "--"},    {"two words\r\n", "two words"}, {"", std::nullopt},
  };
  for (const auto& k : cases) {
    Console c(k.input);
    EXPECT_EQ(c.ui.InputBox("p", "T", "big.zip"), k.answer) << "input \"" << k.input << "\"";
  }
}

// ---- File-open dialog ----------------------------------------------------

class ConsoleOpenFile : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    std::filesystem::current_path(bench_.root);
    Bench::WriteFile(bench_.root + "/big.bin", "0123456789");
    std::filesystem::create_directories(bench_.root + "/sub");
  }
  void TearDown() override { std::filesystem::current_path(old_cwd_); }
  Bench bench_;
  std::filesystem::path old_cwd_;
};

TEST_F(ConsoleOpenFile, RelativePathIsMadeAbsolute) {
  Console c("  ./sub/../big.bin \n");
  EXPECT_EQ(c.ui.OpenFileDialog(), bench_.root + "/big.bin");
  EXPECT_EQ(c.out.str(), "== Open ==\nFile to split:\n> ");
}

TEST_F(ConsoleOpenFile, AbsolutePathIsTakenAsIs) {
  Console c(bench_.root + "/big.bin\n");
  EXPECT_EQ(c.ui.OpenFileDialog(), bench_.root + "/big.bin");
}

TEST_F(ConsoleOpenFile, PathNamingNoReadableFileAsksAgain) {
  Console c("nothere.bin\nsub\nbig.bin\n");
  EXPECT_EQ(c.ui.OpenFileDialog(), bench_.root + "/big.bin");
  EXPECT_EQ(c.out.str(), "== Open ==\nFile to split:\n> No such file: " + bench_.root +
                             "/nothere.bin\n> No such file: " + bench_.root + "/sub\n> ");
}

TEST_F(ConsoleOpenFile, EmptyLineOrEndOfInputCancels) {
  for (const char* input : {"\n", "  \n", "", "nothere\n"}) {
    Console c(input);
    EXPECT_EQ(c.ui.OpenFileDialog(), "") << input;
  }
}

// ---- Pickers -------------------------------------------------------------

// A picker that records its handlers; clicking "b:" shows a message box, as
// the floppy picker does for an empty floppy.
class FakePicker : public DrivePicker {
 public:
  FakePicker(MainForm& form, Interaction& ui) : DrivePicker(form), ui_(ui) {
    caption_ = "Restore Drive";
    prompt_ = "Select floppy drive";
    entries_ = {"a:", "b:"};
  }
  Kind kind() const override { return Kind::kFloppy; }
  void Form_Load() override {}
  void List1_Click(int index) override {
    log += "click " + entries_[static_cast<size_t>(index)] + ";";
    selected_ = index;
    if (entries_[static_cast<size_t>(index)] == "b:") {
      int a =
          ui_.MsgBox("There are no files on that diskette.\r\nReplace the floppy and try again.",
                     "Tavrix | Where's the file(s)?", kIconCritical);
      log += "msg " + std::to_string(a) + ";";
    }
  }
  void Ok_btn_Click() override {
    log += "ok;";
    closed_ = true;
  }
  void Command1_Click() override {
    log += "cancel;";
    closed_ = true;
  }
  std::string log;

 private:
  Interaction& ui_;
};

const char kPickerBlock[] =
    "== Restore Drive ==\n"
    "Select floppy drive\n"
    "  a:\n"
    "  b:\n"
    "[Ok] [Cancel]\n";

TEST(ConsolePicker, ClickPrintsTheBlockAgainThenOkCloses) {
  Bench bench;
  Console c(" A: \nok\n");
  FakePicker picker(*bench.form, c.ui);
  c.ui.ShowPicker(picker);
  EXPECT_EQ(picker.log, "click a:;ok;");
  EXPECT_EQ(c.out.str(), std::string(kPickerBlock) + "> " + kPickerBlock + "> ");
}

TEST(ConsolePicker, ClickMessagesAreAnsweredInTurn) {
  Bench bench;
  Console c("b:\nok\na:\nCANCEL\n");
  FakePicker picker(*bench.form, c.ui);
  c.ui.ShowPicker(picker);
  EXPECT_EQ(picker.log, "click b:;msg 1;click a:;cancel;");
  EXPECT_EQ(c.out.str(), std::string(kPickerBlock) + "> " +
                             "== Tavrix | Where's the file(s)? ==\n"
                             "There are no files on that diskette.\n"
                             "Replace the floppy and try again.\n"
                             "[OK]\n> " +
                             kPickerBlock + "> " + kPickerBlock + "> ");
}

TEST(ConsolePicker, CloseEndsWithoutOkOrCancel) {
  Bench bench;
  Console c("a:\nClose\n");
  FakePicker picker(*bench.form, c.ui);
  c.ui.ShowPicker(picker);
  EXPECT_EQ(picker.log, "click a:;");
}

TEST(ConsolePicker, AnythingElseRepeatsTheButtonLine) {
  Bench bench;
  Console c("c:\na\n\nok\n");
  FakePicker picker(*bench.form, c.ui);
  c.ui.ShowPicker(picker);
  EXPECT_EQ(picker.log, "ok;");
  EXPECT_EQ(c.out.str(),
            std::string(kPickerBlock) + "> [Ok] [Cancel]\n> [Ok] [Cancel]\n> [Ok] [Cancel]\n> ");
}

TEST(ConsolePicker, EndOfInputCancels) {
  Bench bench;
  Console c("a:\n");
  FakePicker picker(*bench.form, c.ui);
  c.ui.ShowPicker(picker);
  EXPECT_EQ(picker.log, "click a:;cancel;");
}

// ---- Status lines and progress -------------------------------------------

TEST(ConsoleStatus, ShownTextsPrintNameAndTextHiddenOnesNothing) {
  Console c("");
  c.ui.StatusChanged(StatusText::kCaption, "Tavrix");
  c.ui.StatusChanged(StatusText::kLabel1, "Processing command-line big.zip a");
  c.ui.StatusChanged(StatusText::kLabel2, "");
  c.ui.StatusChanged(StatusText::kLabel3, "Select target drive");
  c.ui.StatusChanged(StatusText::kLabel4, "hidden");
  c.ui.StatusChanged(StatusText::kLabel5, "hidden");
  c.ui.StatusChanged(StatusText::kLabel6, "hidden");
  c.ui.StatusChanged(StatusText::kLabel7, "Floppy 1");
  c.ui.StatusChanged(StatusText::kSizeLbl, "File is 3,000,000 bytes.");
  c.ui.StatusChanged(StatusText::kReadDisplayLbl, "Reading 1,457,152 bytes.");
  c.ui.StatusChanged(StatusText::kWriteDisplayLbl, "Space on C:\\ is 0 bytes.");
  EXPECT_EQ(c.out.str(),
            "Caption: Tavrix\n"
            "Label1: Processing command-line big.zip a\n"
            "Label2: \n"
            "Label7: Floppy 1\n"
            "SizeLbl: File is 3,000,000 bytes.\n"
            "ReadDisplayLbl: Reading 1,457,152 bytes.\n"
            "WriteDisplayLbl: Space on C:\\ is 0 bytes.\n");
}

TEST(ConsoleStatus, ActivityLabelPrintsOnlyWhileShown) {
  Console c("");
  WindowState w;
  c.ui.Watch(&w);
  w.action_visible = false;
  c.ui.StatusChanged(StatusText::kActionLbl, "Reading ...");
  w.action_visible = true;
  c.ui.StatusChanged(StatusText::kActionLbl, "Writing ...");
  EXPECT_EQ(c.out.str(), "ActionLbl: Writing ...\n");
}

// Copies `pieces` pieces of `size` bytes each, in blocks, through a form
// whose front end is the console.
std::string CopyThroughConsole(bool terminal, int pieces, int64_t size) {
  Bench bench;
  std::istringstream in;
  std::ostringstream out;
  ConsoleInteraction ui(in, out, terminal);
  MainForm form(*bench.platform, ui, testing::FixedClock());
  ui.Watch(&form.w);
  Bench::WriteFile(bench.c_dir + "/piece", Bench::VariedBytes(size));
  for (int i = 0; i < pieces; ++i) {
    File piece = bench.platform->Open("c:\\piece", OpenMode::kRead);
    form.r.Holding = true;
    CopyPiece(form, "c:\\Tx~Hold." + std::to_string(i + 1), piece, size);
  }
  return out.str();
}

TEST(ConsoleStatus, ACopyInBlocksPrintsTheActivityOncePerPiece) {
  int64_t size = 2 * kCopyBlockBytes + 1000;  // three blocks
  EXPECT_EQ(CopyThroughConsole(false, 2, size),
            "ActionLbl: Reading ...\nActionLbl: Writing ...\n"
            "ActionLbl: Reading ...\nActionLbl: Writing ...\n");
}

TEST(ConsoleStatus, ProgressBarOnlyOnATerminal) {
  int64_t size = 2 * kCopyBlockBytes + 1000;
  std::string on_terminal = CopyThroughConsole(true, 1, size);
  EXPECT_NE(on_terminal.find("\r[#############"), std::string::npos) << on_terminal;
  EXPECT_NE(on_terminal.find("\r[########################################] 100%\n"),
            std::string::npos)
      << on_terminal;
  // The status lines still stand on lines of their own.
  EXPECT_EQ(on_terminal.rfind("ActionLbl: Reading ...\nActionLbl: Writing ...\n", 0), 0u);
}

TEST(ConsoleStatus, AnUnfinishedBarEndsItsLineBeforeTheNextOutput) {
  Console c("ok\n", true);
  c.ui.CopyProgress(0, 1000);
  EXPECT_EQ(c.out.str(), "");  // nothing before the first block
  c.ui.CopyProgress(500, 1000);
  c.ui.MsgBox("Drive is not ready", "Error", kIconCritical + kStyleOk);
  EXPECT_EQ(c.out.str(),
            "\r[####################....................] 50%\n"
            "== Error ==\nDrive is not ready\n[OK]\n> ");
}

// ---- Help and About ------------------------------------------------------

TEST(ConsoleHelp, ContentsPrintsTheHelpFileWithoutMarkup) {
  Bench bench;
  Bench::WriteFile(bench.root + "/TAVRIX.HLP",
                   "<html><head><title>Tavrix Help</title></head><body>\n"
                   "<h1>Contents</h1>\n<p>Split a file &amp; restore it.</p></body></html>\n");
  Console c("");
  c.ui.ShowHelpContents(HelpOwner::kMainWindow, bench.root + "/TAVRIX.HLP");
  EXPECT_EQ(c.out.str(), "== Contents ==\nContents\n\nSplit a file & restore it.\n");
}

TEST(ConsoleHelp, MissingHelpFileIsReported) {
  Bench bench;
  Console c("");
  c.ui.ShowHelpContents(HelpOwner::kAboutBox, bench.root + "/TAVRIX.HLP");
  EXPECT_EQ(c.out.str(),
            "Cannot open the help file " + bench.root + "/TAVRIX.HLP: No such file or directory\n");
}

TEST(ConsoleHelp, AboutPrintsTheVersion) {
  Console c("");
  c.ui.ShowAbout();
  EXPECT_EQ(c.out.str(), "== About Tavrix ==\nTavrix - Version 1.0\n");
}

}  // namespace
}  // namespace tavrix
