// Sets written by the split driver, restored in every arrival order: the
// two engines agree on the format.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>

#include "drives/drive_lists.h"
#include "restore/floppy_scan.h"
#include "restore_fixture.h"
#include "split/split_driver.h"

namespace tavrix {
namespace {

namespace fs = std::filesystem;
using testing::Bench;
using testing::DirNames;
using testing::FloppySnapshot;

// Splits `source` (as c:\big.bin) onto blank floppies of `clusters`
// clusters of 512 bytes with the split driver, then removes the source.
// Returns the floppies in piece order.
std::vector<std::string> SplitWithTheEngine(Bench& b, const std::string& source, int64_t clusters) {
  DriveEntry a;
  a.letter = 'a';
  a.directory = b.a_dir;
  a.type = kDriveRemovable;
  a.geometry = Geometry{1, 512, clusters};
  a.label = "a";
  b.SetDrive(a);
  Bench::WriteFile(b.c_dir + "/big.bin", source);
  auto& r = b.form->r;
  r.SourceFile = "c:\\big.bin";
  r.SourceSize = static_cast<int64_t>(source.size());
  int64_t piece = (clusters - 1) * 512;
  int64_t count = (r.SourceSize + piece - 1) / piece;
  std::vector<std::string> floppies;
  for (int64_t k = 1; k <= count; ++k) {
    floppies.push_back("s" + std::to_string(k));
    b.NewFloppy(floppies.back());
  }
  b.Insert(floppies[0]);
  SelectDrive1(*b.form, "a:");
  for (size_t k = 1; k < floppies.size(); ++k) {
    std::string next = floppies[k];
    b.ui.Msg(kAnswerOk, [&b, next] { b.Insert(next); });
  }
  b.ui.Input("Engine set");
  Copy_btn_Click(*b.form);
  EXPECT_TRUE(b.ui.done());
  EXPECT_EQ(b.form->Text(StatusText::kLabel1), "Done");
  fs::remove(b.c_dir + "/big.bin");
  return floppies;
}

void SplitRestoreAndCheck(int64_t size, int64_t clusters, std::vector<int> order, uint32_t seed) {
  Bench b;
  std::string source = Bench::VariedBytes(size, seed);
  auto floppies = SplitWithTheEngine(b, source, clusters);
  ASSERT_EQ(floppies.size(), order.size());
  std::string written = FloppySnapshot(b, floppies);
  size_t calls_before = b.ui.messages().size();
  std::vector<std::string> fed;
  for (int k : order) fed.push_back(floppies[static_cast<size_t>(k - 1)]);
  testing::ScriptRestore(b, fed);

  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  EXPECT_EQ(b.ui.messages().size() - calls_before, order.size() - 1);  // the prompts only
  EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"big.bin"});
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/big.bin") == source);
  EXPECT_TRUE(FloppySnapshot(b, floppies) == written);
  EXPECT_TRUE(b.form->outcome.restore_size_matched);
  EXPECT_EQ(b.form->Text(StatusText::kLabel1), "Restore is completed");
}

TEST(EngineRoundTrip, EveryArrivalOrderOfAFourPieceSet) {
  // Floppies of 20 clusters take 9,728 bytes each: four pieces.
  std::vector<int> order{1, 2, 3, 4};
  do {
    SCOPED_TRACE(::testing::PrintToString(order));
    SplitRestoreAndCheck(3 * 9728 + 1234, 20, order, 31);
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(EngineRoundTrip, RandomArrivalOrdersOfAThirtyPieceSet) {
  // Floppies of 4 clusters take 1,536 bytes each: thirty pieces.
  std::vector<int> order(30);
  std::iota(order.begin(), order.end(), 1);
  std::mt19937 gen(1996);
  for (int run = 0; run < 4; ++run) {
    std::shuffle(order.begin(), order.end(), gen);
    SCOPED_TRACE(::testing::PrintToString(order));
    SplitRestoreAndCheck(29 * 1536 + 700, 4, order, static_cast<uint32_t>(run + 40));
  }
}

TEST(EngineRoundTrip, ADescriptionBecomesTheCaptionWhileTheRestoreRuns) {
  Bench b;
  std::string source = Bench::VariedBytes(2 * 9728 + 10, 5);
  auto floppies = SplitWithTheEngine(b, source, 20);
  testing::ScriptRestore(b, {floppies[2], floppies[0], floppies[1]});
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(testing::Logged(b.ui, "Caption: Tavrix <> Engine set"));
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/big.bin") == source);
}

}  // namespace
}  // namespace tavrix
