// The activity label, the window slide, clearing the display, file names of
// paths, and the positioned piece copy.
#include "split/progress.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

class ProgressTest : public ::testing::Test {
 protected:
  MainForm& form() { return *bench.form; }
  std::string C(const std::string& name) { return bench.c_dir + "/" + name; }
  // Copies `bytes` (as a piece file on c:) to c:\target with CopyPiece.
  void Copy(const std::string& bytes) {
    Bench::WriteFile(C("piece"), bytes);
    File piece = form().platform.Open("c:\\piece", OpenMode::kRead);
    EXPECT_TRUE(CopyPiece(form(), "c:\\target", piece, static_cast<int64_t>(bytes.size())));
  }
  Bench bench;
};

TEST_F(ProgressTest, CopyPieceAppendsAtAppendPos) {
  Copy("abc");
  EXPECT_EQ(form().r.AppendPos, 4);
  Copy("defg");
  EXPECT_EQ(form().r.AppendPos, 8);
  EXPECT_EQ(Bench::ReadFile(C("target")), "abcdefg");
}

TEST_F(ProgressTest, CopyPieceWithAppendPosZeroWritesAtTheStartAndKeepsTheTail) {
  Bench::WriteFile(C("target"), "0123456789");
  Copy("abc");
  EXPECT_EQ(Bench::ReadFile(C("target")), "abc3456789");
  EXPECT_EQ(form().r.AppendPos, 4);
}

TEST_F(ProgressTest, CopyPieceWhileHoldingWritesAtTheStartAndLeavesAppendPos) {
  form().r.AppendPos = 5;
  form().r.Holding = true;
  Bench::WriteFile(C("target"), "0123456789");
  Copy("abc");
  EXPECT_EQ(Bench::ReadFile(C("target")), "abc3456789");
  EXPECT_EQ(form().r.AppendPos, 5);
}

TEST_F(ProgressTest, CopyPieceStreamsPiecesLargerThanTheBuffer) {
  std::string big = Bench::VariedBytes(3 * kCopyBlockBytes + 12345);
  Copy(big);
  EXPECT_EQ(Bench::ReadFile(C("target")), big);
  EXPECT_EQ(form().r.CopyBuffer.size(), static_cast<size_t>(kCopyBlockBytes));
  EXPECT_EQ(form().r.AppendPos, static_cast<int64_t>(big.size()) + 1);
  EXPECT_FALSE(form().w.action_visible);
}

TEST_F(ProgressTest, CopyPieceShowsReadingThenWritingThenHides) {
  Copy("abc");
  const auto& log = bench.ui.status_log();
  std::vector<std::string> activity;
  for (const auto& line : log) {
    if (line.rfind("ActionLbl: ", 0) == 0) activity.push_back(line);
  }
  EXPECT_EQ(activity,
            (std::vector<std::string>{"ActionLbl: Reading ...", "ActionLbl: Writing ..."}));
  EXPECT_FALSE(form().w.action_visible);
}

TEST_F(ProgressTest, CopyPieceOntoAFullDiskRaises61AndKeepsWhatFitted) {
  std::string d_dir = bench.AddDrive('d', kDriveFixed, Geometry{1, 512, 4});  // 2048 bytes
  Bench::WriteFile(C("piece"), std::string(3000, 'x'));
  File piece = form().platform.Open("c:\\piece", OpenMode::kRead);
  try {
    CopyPiece(form(), "d:\\target", piece, 3000);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kDiskFull);
  }
  EXPECT_EQ(Bench::ReadFile(d_dir + "/target"), std::string(2048, 'x'));
}

TEST_F(ProgressTest, SetActivityLooks) {
  SetActivity(form(), 1);
  EXPECT_TRUE(form().w.action_visible);
  EXPECT_EQ(form().w.action_look, ActivityLook::kReading);
  EXPECT_EQ(form().Text(StatusText::kActionLbl), "Reading ...");
  SetActivity(form(), 2);
  EXPECT_EQ(form().w.action_look, ActivityLook::kWriting);
  EXPECT_EQ(form().Text(StatusText::kActionLbl), "Writing ...");
  SetActivity(form(), 0);
  EXPECT_FALSE(form().w.action_visible);
  EXPECT_EQ(form().Text(StatusText::kActionLbl), "Writing ...");
  SetActivity(form(), 7);
  EXPECT_FALSE(form().w.action_visible);
  EXPECT_EQ(bench.ui.yields(), 4);
}

TEST_F(ProgressTest, ResizeWindowSlidesInPixelSteps) {
  ResizeWindow(form(), -1);
  EXPECT_EQ(form().w.height_twips, 1950 + 2475);
  EXPECT_EQ(bench.ui.yields(), 165);  // 2475 / 15
  ResizeWindow(form(), -1);
  EXPECT_EQ(form().w.height_twips, 1950 + 2 * 2475);
  ResizeWindow(form(), 0);
  EXPECT_EQ(form().w.height_twips, 1950);
  int yields = bench.ui.yields();
  ResizeWindow(form(), 0);
  ResizeWindow(form(), 3);
  EXPECT_EQ(bench.ui.yields(), yields);
  EXPECT_EQ(form().w.height_twips, 1950);
}

TEST_F(ProgressTest, ClearDisplayEmptiesTheStatusLinesOnly) {
  for (int i = 0; i < kStatusTextCount; ++i) form().SetText(static_cast<StatusText>(i), "x");
  ClearDisplay(form());
  for (int i = 0; i < kStatusTextCount; ++i) {
    auto which = static_cast<StatusText>(i);
    bool kept = which == StatusText::kCaption || which == StatusText::kSizeLbl ||
                which == StatusText::kActionLbl;
    EXPECT_EQ(form().Text(which), kept ? "x" : "") << StatusTextName(which);
  }
}

TEST(FileNameOf, TakesTheTextAfterTheLastSeparator) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\DATA\\BIG.ZIP", "BIG.ZIP"},
      {"/home/ann/big.zip", "big.zip"},
      {"a:\\Tx~1.2", "Tx~1.2"},
      {"big.zip", "big.zip"},
      {"C:\\DATA\\", ""},
      {"", ""},
      {"dir/sub\\x.bin", "x.bin"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
}

}  // namespace
}  // namespace tavrix
