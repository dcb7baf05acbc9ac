// Whole restores, from the menu command to the rebuilt file, of sets
// written straight from the format's description, in every arrival order.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "restore/floppy_scan.h"
#include "restore_fixture.h"

namespace tavrix {
namespace {

using testing::Bench;
using testing::DirNames;
using testing::FloppySnapshot;
using testing::Logged;
using testing::MessageTexts;
using testing::ScriptRestore;
using testing::WriteSet;

const char kPrompt[] = "Please insert another disk of this set\r\n";

std::string OrderText(const std::vector<int>& order) {
  std::string out;
  for (int k : order) out += std::to_string(k) + " ";
  return out;
}

// Feeds the set's floppies in `order` (piece numbers) and checks that the
// file is rebuilt under its recorded name, alone on the target, with
// nothing but the next-disk prompts shown.
void RestoreAndCheck(int pieces, int64_t size, const std::vector<int>& order) {
  SCOPED_TRACE("order " + OrderText(order));
  Bench b;
  std::string data = Bench::VariedBytes(size, static_cast<uint32_t>(pieces));
  auto floppies = WriteSet(b, data, pieces);
  std::vector<std::string> fed;
  for (int k : order) fed.push_back(floppies[static_cast<size_t>(k - 1)]);
  ScriptRestore(b, fed);
  std::string floppies_before = FloppySnapshot(b, floppies);

  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  EXPECT_TRUE(FloppySnapshot(b, floppies) == floppies_before);
  EXPECT_EQ(MessageTexts(b.ui), std::vector<std::string>(static_cast<size_t>(pieces - 1), kPrompt));
  EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"BIG.BIN"});
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/BIG.BIN") == data);
  EXPECT_EQ(b.form->Text(StatusText::kLabel1), "Restore is completed");
  EXPECT_TRUE(b.form->outcome.restore_completed);
  EXPECT_TRUE(b.form->outcome.restore_size_matched);
  EXPECT_FALSE(b.form->r.RestoreActive);
  EXPECT_EQ(b.form->w.height_twips, kRestingHeightTwips);
}

TEST(RoundTrip, EveryArrivalOrderOfAFourPieceSet) {
  std::vector<int> order{1, 2, 3, 4};
  do {
    RestoreAndCheck(4, 10007, order);
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(RoundTrip, RandomArrivalOrdersOfAThirtyPieceSet) {
  std::vector<int> order(30);
  std::iota(order.begin(), order.end(), 1);
  std::mt19937 gen(2026);
  for (int run = 0; run < 6; ++run) {
    std::shuffle(order.begin(), order.end(), gen);
    RestoreAndCheck(30, 30 * 517 + 11, order);
  }
}

TEST(RoundTrip, WorkedExampleParksThreeAndFourThenRenames) {
  Bench b;
  std::string data = Bench::VariedBytes(4000, 9);
  auto f = WriteSet(b, data, 4);
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Click("c:").Ok();
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[2]); });
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[3]); });
  std::vector<std::string> before_last;
  b.ui.Msg(kAnswerOk, [&] {
    before_last = DirNames(b.c_dir);
    b.Insert(f[1]);
  });

  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  // Piece 1 went to the start file; 3 and 4 were parked.
  EXPECT_EQ(before_last, (std::vector<std::string>{"Tx~Hold.3", "Tx~Hold.4", "Tx~Start.OK"}));
  for (const char* line :
       {"Label2: Writing to c:\\Tx~Start.OK", "Label2: Writing to c:\\Tx~Hold.3",
        "Label2: Writing to c:\\Tx~Hold.4", "Label7: So far, set goes to  2",
        "Label7: So far, set goes to  4", "Label1: Found control file ... loading",
        "Label7: Original file name is C:\\DATA\\BIG.BIN", "Label7: Set ends at  4",
        "Label1: There are  2 file(s) to process.  Please wait ...",
        "Label7: Adding held # 1 of 2 file(s).", "Label7: Adding held # 2 of 2 file(s)."}) {
    EXPECT_TRUE(Logged(b.ui, line)) << line;
  }
  EXPECT_EQ(b.form->Text(StatusText::kLabel1), "Restore is completed");
  EXPECT_EQ(b.form->Text(StatusText::kLabel2), " 2 held files added to c:\\Tx~Start.OK");
  EXPECT_EQ(b.form->Text(StatusText::kLabel7), "c:\\Tx~Start.OK renamed c:\\BIG.BIN");
  EXPECT_EQ(b.form->Text(StatusText::kCaption), "Tavrix");
  EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"BIG.BIN"});
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/BIG.BIN") == data);
}

// Piece 1 comes last, after the record: it and the pieces added behind it
// go straight to the recorded name.
TEST(RoundTrip, ReversedOrderReadsTheRecordInTheAssemblyStep) {
  Bench b;
  std::string data = Bench::VariedBytes(5000, 4);
  auto f = WriteSet(b, data, 4, {.description = "Tax papers"});
  ScriptRestore(b, {f[3], f[2], f[1], f[0]});

  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  EXPECT_TRUE(Logged(b.ui, "Label7: Set ends at  4"));
  EXPECT_TRUE(Logged(b.ui, "Caption: Tavrix <> Tax papers"));
  EXPECT_TRUE(Logged(b.ui, "Label2: Writing to c:\\BIG.BIN"));
  EXPECT_EQ(b.form->Text(StatusText::kLabel2), " 3 held files added to c:\\BIG.BIN");
  EXPECT_EQ(b.form->Text(StatusText::kLabel7), "");
  EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"BIG.BIN"});
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/BIG.BIN") == data);
  // CleanUp at the end puts the caption back.
  EXPECT_EQ(b.form->Text(StatusText::kCaption), "Tavrix");
}

TEST(RoundTrip, InOrderWritesStraightIntoTheStartFileAndAddsNothing) {
  Bench b;
  std::string data = Bench::VariedBytes(3000, 5);
  auto f = WriteSet(b, data, 3);
  ScriptRestore(b, f);

  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  for (const auto& line : b.ui.status_log())
    EXPECT_EQ(line.find("Tx~Hold"), std::string::npos) << line;
  EXPECT_TRUE(Logged(b.ui, "Label1: There are  0 file(s) to process.  Please wait ..."));
  EXPECT_EQ(b.form->Text(StatusText::kLabel2), "");
  EXPECT_EQ(b.form->Text(StatusText::kLabel7), "c:\\Tx~Start.OK renamed c:\\BIG.BIN");
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/BIG.BIN") == data);
}

TEST(RoundTrip, OnePieceSetGetsTheSinglePieceMessageAndWritesNothing) {
  Bench b;
  auto f = WriteSet(b, "small file", 1);
  ScriptRestore(b, f);
  b.ui.Msg(kAnswerOk);

  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  ASSERT_EQ(b.ui.messages().size(), 1u);
  const auto m = b.ui.messages().at(0);
  EXPECT_EQ(m.text, "You don't need Tavrix for single file operations");
  EXPECT_EQ(m.title, "Tavrix | For bigger jobs");
  EXPECT_EQ(m.style, 64);
  EXPECT_TRUE(DirNames(b.c_dir).empty());
  EXPECT_FALSE(b.form->r.RestoreActive);
  EXPECT_FALSE(b.form->outcome.restore_completed);
}

TEST(RoundTrip, TheNextDiskPromptShowsTheTargetsFreeSpace) {
  Bench b;
  auto f = WriteSet(b, Bench::VariedBytes(2000, 2), 2);
  ScriptRestore(b, f);
  std::string space;
  b.ui.on_yield = [&] {
    if (space.empty())
      space = b.form->Text(StatusText::kWriteDisplayLbl).rfind("Space on C:\\", 0) == 0
                  ? b.form->Text(StatusText::kWriteDisplayLbl)
                  : "";
  };

  mnu_Restore_Click(*b.form);

  ASSERT_FALSE(space.empty());
  EXPECT_EQ(space.rfind("Space on C:\\ is ", 0), 0u) << space;
  EXPECT_EQ(space.substr(space.size() - 7), " bytes.") << space;
  const auto m = b.ui.messages().at(0);
  EXPECT_EQ(m.title, "Restore");
  EXPECT_EQ(m.style, 33);
}

}  // namespace
}  // namespace tavrix
