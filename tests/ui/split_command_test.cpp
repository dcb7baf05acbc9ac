// The "Split a file" command from the file-open dialog to the control record.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "restore/main_form.h"
#include "split/split_command.h"
#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

constexpr int64_t kSourceSize = 3000000;
// A 1.44 MB floppy takes its free space less one cluster.
constexpr int64_t kFullPiece = 2847 * 512 - 512;

class SplitCommandTest : public ::testing::Test {
 protected:
  SplitCommandTest() {
    source = bench.c_dir + "/big.bin";
    data = Bench::VariedBytes(kSourceSize, 3);
    Bench::WriteFile(source, data);
    for (const char* f : {"one", "two", "three"}) bench.NewFloppy(f);
    bench.Insert("one");
  }
  MainForm& form() { return *bench.form; }

  Bench bench;
  std::string source;
  std::string data;
};

TEST_F(SplitCommandTest, CancellingTheFileDialogStillResetsEverything) {
  form().r.RestoreActive = true;
  form().r.SerialNumber = "Tx~SN131.234";
  form().SetCaption("Tavrix <> old set");
  form().SetText(StatusText::kLabel1, "Restore is completed");
  form().SetText(StatusText::kReadDisplayLbl, "Reading 4 bytes.");
  bench.ui.File("");
  mnu_OpenFile_Click(form());
  EXPECT_TRUE(bench.ui.done());
  EXPECT_FALSE(form().r.RestoreActive);
  EXPECT_EQ(form().r.SerialNumber, "");
  EXPECT_EQ(form().Text(StatusText::kCaption), "Tavrix");
  EXPECT_EQ(form().Text(StatusText::kLabel1), "");
  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl), "");
}

TEST_F(SplitCommandTest, CancellingThePickerClearsTheChoice) {
  bench.ui.File(source).Cancel();
  mnu_OpenFile_Click(form());
  EXPECT_TRUE(bench.ui.done());
  // The choice was shown, then taken back.
  const auto& log = bench.ui.status_log();
  EXPECT_NE(std::find(log.begin(), log.end(), "Label1: " + source), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "Label2: File is 3,000,000 bytes."), log.end());
  EXPECT_EQ(form().Text(StatusText::kLabel1), "");
  EXPECT_EQ(form().Text(StatusText::kLabel2), "");
  EXPECT_EQ(form().r.SourceFile, "");
  EXPECT_EQ(form().r.SourceSize, 0);
  EXPECT_EQ(form().w.height_twips, kRestingHeightTwips);
  EXPECT_EQ(form().r.DialogMode, 1);
}

TEST_F(SplitCommandTest, AnEmptySourceIsRefusedBeforeAnyFloppy) {
  // A set of an empty file would hold a 0-byte piece that no restore takes.
  std::string empty = bench.c_dir + "/empty.bin";
  Bench::WriteFile(empty, "");
  bench.ui.File(empty).Msg(kAnswerOk);
  mnu_OpenFile_Click(form());
  ASSERT_TRUE(bench.ui.done());
  auto m = bench.ui.messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].text, "Source file doesn't need TAVRIX!");
  EXPECT_EQ(m[0].title, "TAVRIX | You don't need me for this one");
  EXPECT_EQ(m[0].style, 32);
  EXPECT_TRUE(std::filesystem::is_empty(bench.a_dir));
  EXPECT_FALSE(form().outcome.split_done);
  EXPECT_EQ(form().r.SourceFile, "");
  EXPECT_EQ(form().r.SourceSize, 0);
  EXPECT_EQ(form().Text(StatusText::kLabel1), "");
  EXPECT_EQ(form().w.height_twips, kRestingHeightTwips);
}

TEST_F(SplitCommandTest, SplitsOntoThreeFloppies) {
  int tallest = 0;
  bench.ui.on_yield = [&] { tallest = std::max(tallest, form().w.height_twips); };
  bench.ui.File(source).Click("a:").Ok();
  bench.ui.Msg(kAnswerOk, [&] { bench.Insert("two"); });
  bench.ui.Msg(kAnswerOk, [&] { bench.Insert("three"); });
  bench.ui.Input("Backup of big.bin");

  mnu_OpenFile_Click(form());

  ASSERT_TRUE(bench.ui.done());
  auto m = bench.ui.messages();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].text, "Insert floppy # 2");
  EXPECT_EQ(m[1].text, "Insert floppy # 3");
  // The disk information of the run.
  EXPECT_EQ(form().Text(StatusText::kSizeLbl), "File is 3,000,000 bytes.");
  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl),
            "1.44MB Floppy = you will need 2.06 floppies.");
  EXPECT_EQ(form().Text(StatusText::kWriteDisplayLbl).rfind("Space on c:\\ is ", 0), 0u)
      << form().Text(StatusText::kWriteDisplayLbl);
  EXPECT_EQ(form().w.read_from_device_pic, Picture::kThreeFloppies);
  EXPECT_TRUE(form().w.write_to_device_pic_visible);
  EXPECT_EQ(form().Text(StatusText::kLabel1), "Done");
  // The window grew for the run and came back.
  EXPECT_EQ(tallest, kRestingHeightTwips + kRunExtraTwips);
  EXPECT_EQ(form().w.height_twips, kRestingHeightTwips);

  std::string one = Bench::ReadFile(bench.FloppyDir("one") + "/Tx~1.2");
  std::string two = Bench::ReadFile(bench.FloppyDir("two") + "/Tx~2.3");
  std::string three = Bench::ReadFile(bench.FloppyDir("three") + "/Tx~3.0");
  EXPECT_EQ(static_cast<int64_t>(one.size()), kFullPiece);
  EXPECT_TRUE(one + two + three == data);
  std::string record = Bench::ReadFile(bench.FloppyDir("three") + "/Tx~ctl.dat");
  EXPECT_NE(record.find("\r\n" + source + "\r\n"), std::string::npos);
  EXPECT_NE(record.find("\r\n 3\r\n 3000000\r\n"), std::string::npos);
  EXPECT_NE(record.find("\r\nBackup of big.bin\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tavrix
