// The floppy writer's checks, its question about other sets' files, and
// its error handling while a piece is written.
#include "split/floppy_writer.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "split_bench.h"

namespace tavrix::testing {
namespace {

const std::string kMore = "Tavrix | More please ...|Insert floppy # ";
const std::string kUsedBySet =
    "Tavrix | Floppy already used.|This floppy has already been used for this file split set.\r\n"
    "Please insert a different floppy and select Split from the menu.|16";
const std::string kNoSpace =
    "Tavrix | Floppy already used!|There is no space left on this target floppy.\r\n"
    "Please insert a different floppy when prompted.|17";
const std::string kOtherSet =
    "Tavrix | Floppy of another set|This floppy holds files of another Tavrix set.\r\n"
    "Delete them and use this floppy?|36";
const std::string kNotReady = "Error|Drive is not ready|21";

class WriterTest : public SplitTest {
 protected:
  explicit WriterTest(SysCalls* sys = nullptr) : SplitTest(sys) {}

  // A floppy holding `files` (name, size) on the shelf.
  void Floppy(const std::string& name, const std::vector<std::pair<std::string, int64_t>>& files) {
    bench.NewFloppy(name);
    for (const auto& [file, size] : files) {
      Bench::WriteFile(bench.FloppyDir(name) + "/" + file,
                       std::string(static_cast<size_t>(size), 'o'));
    }
  }
  // A floppy of an old set, full but for one cluster, with a file of the
  // user's beside it.
  void OldSetFloppy(const std::string& name, const std::string& piece = "Tx~1.2") {
    Floppy(name, {{"Tx~SN999.999", 0},
                  {piece, 2000 * kClusterBytes},
                  {"Tx~ctl.dat", 100},
                  {"notes.txt", 845 * kClusterBytes}});
  }
  std::string Marker() { return "Tx~SN" + form().r.SerialNumber; }
  // The set on f1, f2, f3 rebuilt in order.
  std::string Joined(const std::vector<std::pair<std::string, std::string>>& pieces) {
    std::string out;
    for (const auto& [floppy, piece] : pieces) out += Read(floppy, piece);
    return out;
  }
};

TEST_F(WriterTest, TheSameFloppyAgainIsRefused) {
  Source(3000000);
  ChooseFirst("f1");
  ui().Msg(kAnswerOk);  // floppy 1 left in
  ui().Msg(kAnswerOk);
  InsertAtPrompt("f2");
  InsertAtPrompt("f3");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{kMore + "2|49", kUsedBySet, kMore + "2|49", kMore + "3|49"}));
  EXPECT_EQ(Files("f1"), (std::vector<std::string>{"Tx~1.2", Marker()}));
  EXPECT_EQ(Joined({{"f1", "Tx~1.2"}, {"f2", "Tx~2.3"}, {"f3", "Tx~3.0"}}), source);
}

TEST_F(WriterTest, FullAndOneClusterFloppiesAreRefused) {
  Source(3000000);
  Floppy("full", {{"data", kTotalClusters * kClusterBytes}});
  Floppy("one", {{"data", (kTotalClusters - 1) * kClusterBytes}});
  ChooseFirst("f1");
  InsertAtPrompt("full");
  ui().Msg(kAnswerOk);
  InsertAtPrompt("one");
  ui().Msg(kAnswerCancel);  // either button refuses
  InsertAtPrompt("f2");
  InsertAtPrompt("f3");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kMore + "2|49", kNoSpace, kMore + "2|49",
                                                  kNoSpace, kMore + "2|49", kMore + "3|49"}));
  EXPECT_EQ(Files("full"), (std::vector<std::string>{"data"}));
  EXPECT_EQ(Files("one"), (std::vector<std::string>{"data"}));
  EXPECT_EQ(Joined({{"f1", "Tx~1.2"}, {"f2", "Tx~2.3"}, {"f3", "Tx~3.0"}}), source);
}

// Floppy 1, measured when chosen and written without a prompt, is refused
// like any full floppy instead of yielding an empty or negative piece.
TEST_F(WriterTest, FirstFloppyWithoutRoomIsRefusedAndAskedFor) {
  Source(1000);
  Floppy("one", {{"data", (kTotalClusters - 1) * kClusterBytes}});
  ChooseFirst("one");
  ui().Msg(kAnswerOk);
  InsertAtPrompt("f1");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNoSpace, kMore + "1|49"}));
  EXPECT_EQ(Files("one"), (std::vector<std::string>{"data"}));
  EXPECT_EQ(Read("f1", "Tx~1.0"), source);
}

TEST_F(WriterTest, FloppyOfAnotherSetYesDeletesItsSetFilesOnly) {
  Source(3000000);
  OldSetFloppy("old");
  ChooseFirst("f1");
  InsertAtPrompt("old");
  ui().Msg(kAnswerYes);
  InsertAtPrompt("f3");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kMore + "2|49", kOtherSet, kMore + "3|49"}));
  EXPECT_EQ(Files("old"), (std::vector<std::string>{"Tx~2.3", Marker(), "notes.txt"}));
  EXPECT_EQ(Read("old", "notes.txt"), std::string(845 * kClusterBytes, 'o'));
  // Measured again after the deletion: all but the user's file and one cluster.
  EXPECT_EQ(Read("old", "Tx~2.3").size(),
            static_cast<size_t>((kTotalClusters - 845 - 1) * kClusterBytes));
  EXPECT_EQ(Joined({{"f1", "Tx~1.2"}, {"old", "Tx~2.3"}, {"f3", "Tx~3.0"}}), source);
}

TEST_F(WriterTest, FloppyOfAnotherSetNoAsksAgain) {
  Source(3000000);
  OldSetFloppy("old");
  ChooseFirst("f1");
  InsertAtPrompt("old");
  ui().Msg(kAnswerNo);
  InsertAtPrompt("f2");
  InsertAtPrompt("f3");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{kMore + "2|49", kOtherSet, kMore + "2|49", kMore + "3|49"}));
  EXPECT_EQ(Files("old"),
            (std::vector<std::string>{"Tx~1.2", "Tx~SN999.999", "Tx~ctl.dat", "notes.txt"}));
  EXPECT_EQ(Joined({{"f1", "Tx~1.2"}, {"f2", "Tx~2.3"}, {"f3", "Tx~3.0"}}), source);
}

// Floppy 1, written without a prompt, is checked for other sets' files too;
// a piece of the same name as ours goes with them, so no tail survives.
TEST_F(WriterTest, FirstFloppyOfAnotherSetIsAskedAboutToo) {
  Source(1000);
  Floppy("old", {{"Tx~SN999.999", 0}, {"TX~1.0", 5000}});
  ChooseFirst("old");
  ui().Msg(kAnswerOk);  // fits notice
  ui().Msg(kAnswerYes);
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages().back(), kOtherSet);
  EXPECT_EQ(Files("old"), (std::vector<std::string>{"Tx~1.0", Marker(), "Tx~ctl.dat"}));
  EXPECT_EQ(Read("old", "Tx~1.0"), source);
}

TEST_F(WriterTest, FloppyBeyondAThousandEndsTheProgram) {
  Source(10);
  ChooseFirst("f1");
  ui().Msg(kAnswerOk);
  EXPECT_THROW(WriteFloppy(form(), kMaxPieces + 1), ProgramExit);
  EXPECT_EQ(
      Messages(),
      (std::vector<std::string>{
          "Tavrix | File too large|This file needs more than 1000 floppies of this size.|16"}));
  EXPECT_TRUE(Files("f1").empty());
}

class FaultyWriterTest : public WithFaults, public WriterTest {
 protected:
  FaultyWriterTest() : WriterTest(&sys) {}
};

// The floppy pulled while piece 2 is written, then put back at Retry: the
// stale part is deleted and the whole piece written again.
TEST_F(FaultyWriterTest, RetryAfterThePulledFloppyIsBackRewritesThePiece) {
  struct Case {
    const char* op;
    const char* path;
    int nth;
  } cases[] = {
      {"PWrite", "Tx~2.3", 2},  // after the first block of the piece
      {"FSync", "Tx~SN", 2},    // after the piece, as its marker is flushed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.op);
    FaultInjector faults;
    SplitRig t(&faults);
    t.Source(3000000);
    t.ChooseFirst("f1");
    faults.FailOn(c.op, ENXIO, c.path, c.nth);
    t.InsertAtPrompt("f2");
    t.ui().Msg(kAnswerRetry, [&t] {
      t.bench.Eject();
      t.bench.Insert("f2");
    });
    t.InsertAtPrompt("f3");
    t.ui().Input(std::string("d"));
    ASSERT_EQ(t.RunSplit(), -1);
    EXPECT_EQ(t.Messages(), (std::vector<std::string>{kMore + "2|49", kNotReady, kMore + "3|49"}));
    std::string marker = "Tx~SN" + t.form().r.SerialNumber;
    EXPECT_EQ(t.Files("f2"), (std::vector<std::string>{"Tx~2.3", marker}));
    EXPECT_EQ(t.Read("f2", "Tx~2.3"), t.source.substr(kPieceBytes, kPieceBytes));
    EXPECT_EQ(t.Read("f1", "Tx~1.2") + t.Read("f2", "Tx~2.3") + t.Read("f3", "Tx~3.0"), t.source);
  }
}

// Retry while the drive is still empty waits for a floppy; the one put in
// then is measured as it is, not as the empty drive was.
TEST_F(FaultyWriterTest, RetryWithTheDriveStillEmptyMeasuresTheFloppyPutInLater) {
  Source(3000000);
  ChooseFirst("f1");
  sys.FailOn("PWrite", ENXIO, "Tx~2.3", 2);
  InsertAtPrompt("f2");
  ui().Msg(kAnswerRetry, [&] { bench.Eject(); });
  ui().Msg(kAnswerRetry, [&] { bench.Insert("f4"); });
  InsertAtPrompt("f3");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{kMore + "2|49", kNotReady, kNotReady, kMore + "3|49"}));
  EXPECT_EQ(Files("f4"), (std::vector<std::string>{"Tx~2.3", Marker()}));
  EXPECT_EQ(Joined({{"f1", "Tx~1.2"}, {"f4", "Tx~2.3"}, {"f3", "Tx~3.0"}}), source);
}

TEST_F(FaultyWriterTest, PreviousFloppyPutBackAtRetryIsRefused) {
  Source(3000000);
  ChooseFirst("f1");
  sys.FailOn("PWrite", ENXIO, "Tx~2.3", 2);
  InsertAtPrompt("f2");
  ui().Msg(kAnswerRetry, [&] { bench.Insert("f1"); });
  ui().Msg(kAnswerOk);
  InsertAtPrompt("f2");  // the stale part of piece 2 is still on it
  InsertAtPrompt("f3");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kMore + "2|49", kNotReady, kUsedBySet,
                                                  kMore + "2|49", kMore + "3|49"}));
  EXPECT_EQ(Files("f1"), (std::vector<std::string>{"Tx~1.2", Marker()}));
  EXPECT_EQ(Files("f2"), (std::vector<std::string>{"Tx~2.3", Marker()}));
  EXPECT_EQ(Joined({{"f1", "Tx~1.2"}, {"f2", "Tx~2.3"}, {"f3", "Tx~3.0"}}), source);
}

// At Retry a floppy of another set holding a file of the piece's name is
// not taken for the pulled one: its files stay unless the user says Yes.
TEST_F(FaultyWriterTest, AnotherSetsPieceOfTheSameNameIsNotDeletedAtRetry) {
  Source(3000000);
  OldSetFloppy("old", "Tx~2.3");
  ChooseFirst("f1");
  sys.FailOn("PWrite", ENXIO, "Tx~2.3", 2);
  InsertAtPrompt("f2");
  ui().Msg(kAnswerRetry, [&] { bench.Insert("old"); });
  ui().Msg(kAnswerNo);
  InsertAtPrompt("f2");
  InsertAtPrompt("f3");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kMore + "2|49", kNotReady, kOtherSet,
                                                  kMore + "2|49", kMore + "3|49"}));
  EXPECT_EQ(Files("old"),
            (std::vector<std::string>{"Tx~2.3", "Tx~SN999.999", "Tx~ctl.dat", "notes.txt"}));
  EXPECT_EQ(Read("old", "Tx~2.3").size(), static_cast<size_t>(2000 * kClusterBytes));
  EXPECT_EQ(Joined({{"f1", "Tx~1.2"}, {"f2", "Tx~2.3"}, {"f3", "Tx~3.0"}}), source);
}

TEST_F(FaultyWriterTest, CancelAtDriveNotReadyEndsTheProgram) {
  Source(3000000);
  ChooseFirst("f1");
  sys.FailOn("PWrite", ENXIO, "Tx~2.3", 2);
  InsertAtPrompt("f2");
  ui().Msg(kAnswerCancel);
  EXPECT_EQ(RunSplit(), 1);
  EXPECT_EQ(Messages().back(), kNotReady);
}

// Any other error while the piece is written is reported and ends the
// program; the floppies written so far keep what they hold.
TEST(FaultyWriter, OtherErrorsEndTheProgram) {
  struct Case {
    const char* op;
    int err;
    int nth;
    const char* report;
  } cases[] = {
      {"Open", EROFS, 1, "Error|Error  70|16"},  // a write-protected floppy
      {"PWrite", EIO, 1, "Error|Error  57|16"},
      {"Open", ENOENT, 2, "Error|Error  53|16"},  // the piece vanished before its flush
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " " + c.report);
    FaultInjector faults;
    SplitRig t(&faults);
    t.Source(3000000);
    t.ChooseFirst("f1");
    faults.FailOn(c.op, c.err, "Tx~2.3", c.nth);
    t.InsertAtPrompt("f2");
    t.ui().Msg(kAnswerOk);
    EXPECT_EQ(t.RunSplit(), 1);
    EXPECT_EQ(t.Messages(), (std::vector<std::string>{kMore + "2|49", c.report}));
    EXPECT_EQ(t.Files("f1"),
              (std::vector<std::string>{"Tx~1.2", "Tx~SN" + t.form().r.SerialNumber}));
    EXPECT_EQ(t.form().r.BytesWritten, kPieceBytes);
    EXPECT_FALSE(t.form().outcome.split_done);
  }
}

}  // namespace
}  // namespace tavrix::testing
