// The start-up handler: the window's resting state, the command-line checks
// and the command-line split.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "restore/main_form.h"
#include "split/command_line_start.h"
#include "support/bench.h"

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
  ExpectOneMessage("Syntax is TAVRIX full-path:\\source_filename target_drive:\r\n"
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
  ExpectOneMessage("Source file doesn't need TAVRIX!", "TAVRIX | You don't need me for this one", 32);
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

}  // namespace
}  // namespace tavrix
