// The piece-name parser and the appending of held pieces, on their own.
#include "restore/assembly.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "restore/held_pieces.h"
#include "restore_fixture.h"

namespace tavrix {
namespace {

using testing::Bench;
using testing::DirNames;
using testing::Logged;

TEST(ParsePieceName, TakesTheNumbersAroundTheFirstDotBehindThePrefix) {
  struct Case {
    const char* path;
    int n;
    int next;
  } cases[] = {
      {"a:\\Tx~3.4", 3, 4},           {"a:\\Tx~1.0", 1, 0},       {"a:\\TX~12.13", 12, 13},
      {"a:\\tx~999.1000", 999, 1000}, {"a:\\Tx~1000.0", 1000, 0}, {"a:\\Tx~ 7. 8", 7, 8},
      {"a:\\Tx~Start.OK", 0, 0},      {"a:\\Tx~5.6.7", 5, 6},     {"a:\\Tx~5x.0", 5, 0},
  };
  for (const auto& c : cases) {
    auto [n, next] = ParsePieceName(c.path);
    EXPECT_EQ(n, c.n) << c.path;
    EXPECT_EQ(next, c.next) << c.path;
  }
}

TEST(ParsePieceName, RaisesForANameItCannotRead) {
  struct Case {
    const char* path;
    int number;
  } cases[] = {
      {"a:\\Tx~12", kInvalidArgument},
      {"a:\\piece.1", kInvalidArgument},
      {"a:\\Tx~99999.0", kOverflow},
      {"a:\\Tx~1.99999", kOverflow},
  };
  for (const auto& c : cases) {
    try {
      ParsePieceName(c.path);
      ADD_FAILURE() << "no error for " << c.path;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.number) << c.path;
    }
  }
}

class HeldPieces : public ::testing::Test {
 protected:
  void SetUp() override {
    b.form->r.TargetDrive = "c:\\";
    Bench::WriteFile(b.c_dir + "/Tx~Start.OK", "HEAD");
  }
  // Parks `bytes` as piece n.
  void Park(int n, const std::string& bytes) {
    Bench::WriteFile(b.c_dir + "/Tx~Hold." + std::to_string(n), bytes);
    b.form->r.PieceHeld[n] = n;
  }
  int Append() {
    b.form->r.AssemblyFileNo = b.platform->Open("c:\\Tx~Start.OK", OpenMode::kReadWrite);
    int added = AppendHeldPieces(*b.form);
    b.form->r.AssemblyFileNo.Close();
    return added;
  }

  Bench b;
};

TEST_F(HeldPieces, AppendsInPieceOrderAndDeletesEachHoldFile) {
  Park(7, "seven-");
  Park(3, "three-");
  Park(12, "twelve");
  EXPECT_EQ(Append(), 3);
  EXPECT_EQ(Bench::ReadFile(b.c_dir + "/Tx~Start.OK"), "HEADthree-seven-twelve");
  EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"Tx~Start.OK"});
  EXPECT_TRUE(Logged(b.ui, "Label1: There are  3 file(s) to process.  Please wait ..."));
  EXPECT_TRUE(Logged(b.ui, "Label7: Adding held # 1 of 3 file(s)."));
  EXPECT_TRUE(Logged(b.ui, "Label7: Adding held # 3 of 3 file(s)."));
  EXPECT_FALSE(b.form->w.action_visible);
}

TEST_F(HeldPieces, NothingParkedLeavesTheFileAsItWas) {
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(Bench::ReadFile(b.c_dir + "/Tx~Start.OK"), "HEAD");
  EXPECT_EQ(b.form->Text(StatusText::kLabel1), "There are  0 file(s) to process.  Please wait ...");
  for (const auto& line : b.ui.status_log())
    EXPECT_EQ(line.find("Adding held"), std::string::npos) << line;
}

TEST_F(HeldPieces, LargePiecesGoThroughTheBoundedBuffer) {
  std::string big = Bench::VariedBytes(3 * (1 << 20) + 17, 3);
  Park(2, big);
  EXPECT_EQ(Append(), 1);
  EXPECT_EQ(Bench::ReadFile(b.c_dir + "/Tx~Start.OK"), "HEAD" + big);
  EXPECT_LE(b.form->r.CopyBuffer.size(), static_cast<size_t>(1 << 20));
}

TEST_F(HeldPieces, AMissingHoldFileRaisesAndKeepsTheRest) {
  Park(2, "two");
  Park(5, "five");
  b.form->r.PieceHeld[4] = 4;  // parked, but its file is gone
  try {
    Append();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kFileNotFound);
  }
  EXPECT_EQ(DirNames(b.c_dir), (std::vector<std::string>{"Tx~Hold.5", "Tx~Start.OK"}));
}

// Piece names the tables cannot hold, or that cannot be read, end the
// program with the step's report before anything is written.
TEST(AssemblePiece, PiecesBeyondTheTablesEndTheProgramBeforeAnythingIsWritten) {
  struct Case {
    const char* piece;
    int processed;  // floppies handled before
    const char* report;
  } cases[] = {
      {"Tx~1001.1002", 0, "Error  9 = Index out of range"},
      {"Tx~0.1", 0, "Error  9 = Index out of range"},
      {"Tx~2.3", kMaxPieces, "Error  9 = Index out of range"},
      {"Tx~12", 0, "Error  5 = Invalid argument"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.piece);
    Bench b;
    b.NewFloppy("odd");
    Bench::WriteFile(b.FloppyDir("odd") + "/" + c.piece, "bytes");
    b.Insert("odd");
    auto& r = b.form->r;
    r.RestoreActive = true;
    r.SourceFile = std::string("a:\\") + c.piece;
    r.SourceSize = 5;
    r.TargetChosen = true;
    r.TargetDrive = "c:";
    r.PieceCount = c.processed;
    r.PieceDone[1] = c.processed > 0 ? 1 : 0;
    b.ui.Msg(kAnswerOk);

    EXPECT_THROW(AssemblePiece(*b.form), ProgramExit);

    ASSERT_EQ(b.ui.messages().size(), 1u);
    EXPECT_EQ(b.ui.messages()[0].text, c.report);
    EXPECT_EQ(b.ui.messages()[0].title, "Error");
    EXPECT_EQ(b.ui.messages()[0].style, 16);
    EXPECT_TRUE(DirNames(b.c_dir).empty());
  }
}

}  // namespace
}  // namespace tavrix
