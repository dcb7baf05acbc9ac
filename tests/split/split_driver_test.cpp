// Whole splits through the split driver: the set on the floppies, the
// control record, the dialogue with the user, and the refusals.
#include "split/split_driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <regex>

#include "drives/drive_picker.h"
#include "format/control_record.h"
#include "split/floppy_writer.h"
#include "split/progress.h"
#include "split_bench.h"

namespace tavrix::testing {
namespace {

const std::string kMore = "Tavrix | More please ...|Insert floppy # ";

bool Logged(ScriptedInteraction& ui, const std::string& line) {
  const auto& log = ui.status_log();
  return std::find(log.begin(), log.end(), line) != log.end();
}

TEST_F(SplitTest, ThreeMillionBytesOntoThreeFloppies) {
  Source(3000000);
  // The floppy picker chooses a:, with floppy 1 in it, then Drive1 shows it.
  bench.Insert("f1");
  form().r.DialogMode = 1;
  ui().Click("a:").Ok();
  ShowRestoreFrm(form());
  ASSERT_EQ(form().r.FloppyDrive, "a:");
  SelectDrive1(form(), form().r.FloppyDrive);

  InsertAtPrompt("f2");
  InsertAtPrompt("f3");
  ui().Input("Tax records");
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_TRUE(ui().done());

  // Floppy 1, written without a prompt, floppy 2 and floppy 3.
  std::string serial = form().r.SerialNumber;
  EXPECT_TRUE(std::regex_match(serial, std::regex("[0-9][0-9][1-8]\\.[1-8][1-8][1-8]"))) << serial;
  std::string marker = "Tx~SN" + serial;
  EXPECT_EQ(Files("f1"), (std::vector<std::string>{"Tx~1.2", marker}));
  EXPECT_EQ(Files("f2"), (std::vector<std::string>{"Tx~2.3", marker}));
  EXPECT_EQ(Files("f3"), (std::vector<std::string>{"Tx~3.0", marker, "Tx~ctl.dat"}));
  EXPECT_EQ(Read("f1", "Tx~1.2").size(), 1457152u);
  EXPECT_EQ(Read("f2", "Tx~2.3").size(), 1457152u);
  EXPECT_EQ(Read("f3", "Tx~3.0").size(), 85696u);
  EXPECT_EQ(Read("f1", marker), "");
  EXPECT_EQ(Read("f1", "Tx~1.2") + Read("f2", "Tx~2.3") + Read("f3", "Tx~3.0"), source);

  std::string date = ControlRecordDate(form().platform.FileDateTime("c:\\big.bin"));
  EXPECT_EQ(Read("f3", "Tx~ctl.dat"), std::string(kControlBanner) + "\r\nc:\\big.bin\r\n" + date +
                                          "\r\n 3\r\n 3000000\r\n" + serial +
                                          "\r\nTax records\r\n");

  // The modal calls of the split, in order.
  std::vector<std::string> calls;
  for (const auto& c : ui().transcript()) {
    if (c.kind == "msgbox") calls.push_back(c.title + "|" + c.text + "|" + std::to_string(c.style));
    if (c.kind == "input") calls.push_back("input|" + c.title + "|" + c.text + "|" + c.answer);
  }
  EXPECT_EQ(calls,
            (std::vector<std::string>{
                kMore + "2|49",
                kMore + "3|49",
                "input|Tavrix Split File Description|Please enter a description for this disk "
                "set|02-13-2026",
            }));

  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl),
            "1.44MB Floppy = you will need 2.06 floppies.");
  EXPECT_TRUE(Logged(ui(), "Label2: Writing to a:\\Tx~1.2"));
  EXPECT_TRUE(Logged(ui(), "Label2: Writing to a:\\Tx~2.3"));
  EXPECT_TRUE(Logged(ui(), "Label2: Writing to a:\\Tx~3.0 (last)"));
  EXPECT_TRUE(Logged(ui(), "Label1: Done splitting file ... creating control record ..."));
  EXPECT_EQ(form().Text(StatusText::kLabel1), "Done");
  EXPECT_EQ(form().Text(StatusText::kLabel2), "");

  EXPECT_EQ(form().r.PieceCount, 3);
  EXPECT_EQ(form().r.BytesWritten, 3000000);
  EXPECT_EQ(form().r.SourceFile, "");
  EXPECT_EQ(form().r.SourceSize, 0);
  EXPECT_EQ(form().r.BytesLeft, 0);
  EXPECT_TRUE(form().outcome.split_done);
  EXPECT_FALSE(form().w.action_visible);
  EXPECT_EQ(form().w.height_twips, kRestingHeightTwips);
  // The pieces went through the one bounded buffer.
  EXPECT_EQ(form().r.CopyBuffer.size(), static_cast<size_t>(kCopyBlockBytes));
}

TEST(Split, SmallSourcesAndTheSingleFloppyNotice) {
  struct Case {
    int64_t size;
    std::vector<std::string> pieces;  // on f1, f2 ...
  } cases[] = {
      {0, {"Tx~1.0"}},
      {1000, {"Tx~1.0"}},
      {kPieceBytes, {"Tx~1.0"}},                // exactly the capacity: last piece
      {kPieceBytes + 1, {"Tx~1.2", "Tx~2.0"}},  // above it, yet below the free space
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    SplitRig t;
    t.Source(c.size);
    t.ChooseFirst("f1");
    t.ui().Msg(kAnswerOk);
    for (size_t i = 1; i < c.pieces.size(); ++i) t.InsertAtPrompt("f" + std::to_string(i + 1));
    t.ui().Input(std::string("x"));
    ASSERT_EQ(t.RunSplit(), -1);
    auto msgs = t.Messages();
    ASSERT_FALSE(msgs.empty());
    EXPECT_EQ(msgs[0], "Not a job for Tavrix|This file fits on a single floppy|64");
    std::string joined;
    for (size_t i = 0; i < c.pieces.size(); ++i) {
      std::string floppy = "f" + std::to_string(i + 1);
      EXPECT_EQ(t.Files(floppy).front(), c.pieces[i]);
      joined += t.Read(floppy, c.pieces[i]);
    }
    EXPECT_EQ(joined, t.source);
    std::string record = t.Read("f" + std::to_string(c.pieces.size()), "Tx~ctl.dat");
    auto fields = ReadRecordFields(record);
    ASSERT_EQ(fields.size(), 7u);
    EXPECT_EQ(fields[3], std::to_string(c.pieces.size()));
    EXPECT_EQ(fields[4], std::to_string(c.size));
  }
}

TEST(Split, DescriptionEmptiedOrCancelled) {
  struct Case {
    std::optional<std::string> answer;
    const char* description;
  } cases[] = {
      {std::string(""), "[No Description]"},
      {std::nullopt, "[No Description]"},
      {std::string("02-13-2026"), "02-13-2026"},
      {std::string("a, \"b\""), "\"a, 'b'\""},
  };
  for (const auto& c : cases) {
    SplitRig t;
    t.Source(10);
    t.ChooseFirst("f1");
    t.ui().Msg(kAnswerOk).Input(c.answer);
    ASSERT_EQ(t.RunSplit(), -1);
    std::string record = t.Read("f1", "Tx~ctl.dat");
    std::string last = record.substr(record.rfind("235.714\r\n") + 9);
    EXPECT_EQ(last, std::string(c.description) + "\r\n");
  }
}

TEST_F(SplitTest, FloppyOneNotMeasuredIsAskedFor) {
  Source(1000);
  bench.Insert("f1");
  form().Drive1.drive = "a:";  // shown already: choosing it measured nothing
  InsertAtPrompt("f1");
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kMore + "1|49"}));
  EXPECT_EQ(Read("f1", "Tx~1.0"), source);
}

TEST_F(SplitTest, SourceOfTwoGigabytesIsRefused) {
  Source(0);
  ASSERT_EQ(::truncate((bench.c_dir + "/big.bin").c_str(), int64_t{1} << 31), 0);
  form().r.SourceSize = int64_t{1} << 31;
  ChooseFirst("f1");
  ui().Msg(kAnswerOk);
  ResizeWindow(form(), -1);  // as the split command does
  EXPECT_EQ(RunSplit(), -1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Tavrix | File too large|Files of 2 GB or more cannot be split.|16"}));
  EXPECT_EQ(form().w.height_twips, kRestingHeightTwips);
  EXPECT_TRUE(Files("f1").empty());
  EXPECT_FALSE(form().outcome.split_done);
}

TEST_F(SplitTest, SourceNeedingMoreThanAThousandFloppiesIsRefused) {
  Source(0);
  int64_t size = kPieceBytes * 1000 + 1;
  ASSERT_EQ(::truncate((bench.c_dir + "/big.bin").c_str(), size), 0);
  form().r.SourceSize = size;
  ChooseFirst("f1");
  ui().Msg(kAnswerOk);
  ResizeWindow(form(), -1);  // as the split command does
  EXPECT_EQ(RunSplit(), -1);
  EXPECT_EQ(
      Messages(),
      (std::vector<std::string>{
          "Tavrix | File too large|This file needs more than 1000 floppies of this size.|16"}));
  EXPECT_EQ(form().w.height_twips, kRestingHeightTwips);
  EXPECT_TRUE(Files("f1").empty());
}

TEST_F(SplitTest, CancelAtThePromptEndsTheProgramAndKeepsThePieces) {
  Source(3000000);
  ChooseFirst("f1");
  ui().Msg(kAnswerCancel);
  EXPECT_EQ(RunSplit(), 1);
  std::string marker = "Tx~SN" + form().r.SerialNumber;
  EXPECT_EQ(Files("f1"), (std::vector<std::string>{"Tx~1.2", marker}));
  EXPECT_EQ(Read("f1", "Tx~1.2"), source.substr(0, kPieceBytes));
  EXPECT_FALSE(form().outcome.split_done);
}

// The record goes only onto a floppy of this set: a floppy swapped in while
// the description box was open is not written over.
TEST_F(SplitTest, ControlRecordWaitsForTheLastFloppy) {
  Source(1000);
  bench.NewFloppy("other");
  Bench::WriteFile(bench.FloppyDir("other") + "/Tx~ctl.dat", "theirs");
  ChooseFirst("f1");
  ui().Msg(kAnswerOk);
  ui().Input(std::string("d"), [&] { bench.Insert("other"); });
  ui().Msg(kAnswerOk);  // "Insert floppy # 1", with the other floppy still in
  InsertAtPrompt("f1");
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_EQ(Read("other", "Tx~ctl.dat"), "theirs");
  EXPECT_EQ(ReadRecordFields(Read("f1", "Tx~ctl.dat"))[6], "d");
  auto msgs = Messages();
  EXPECT_EQ(std::vector<std::string>(msgs.begin() + 1, msgs.end()),
            (std::vector<std::string>{kMore + "1|49", kMore + "1|49"}));
}

// The last floppy taken out while the description box was open: the drive
// is not ready; after Retry, the last floppy is asked for while the drive
// holds no floppy of this set.  Cancel at either question ends the program.
TEST(Split, ControlRecordAfterTheLastFloppyWasTakenOut) {
  struct Case {
    const char* name;
    std::vector<int> answers;  // to the questions after the description
    bool floppy_back_at_retry;
    std::vector<std::string> questions;
    int status;
  } cases[] = {
      {"back at Retry", {kAnswerRetry}, true, {"Error|Drive is not ready|21"}, -1},
      {"asked for after Retry",
       {kAnswerRetry, kAnswerOk},
       false,
       {"Error|Drive is not ready|21", kMore + "1|49"},
       -1},
      {"Cancel at not ready", {kAnswerCancel}, false, {"Error|Drive is not ready|21"}, 1},
      {"Cancel at the prompt",
       {kAnswerRetry, kAnswerCancel},
       false,
       {"Error|Drive is not ready|21", kMore + "1|49"},
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SplitRig t;
    t.Source(1000);
    t.ChooseFirst("f1");
    t.ui().Msg(kAnswerOk);  // fits notice
    t.ui().Input(std::string("d"), [&t] { t.bench.Eject(); });
    for (size_t i = 0; i < c.answers.size(); ++i) {
      bool last = i + 1 == c.answers.size();
      bool insert = last ? c.answers[i] != kAnswerCancel : c.floppy_back_at_retry;
      t.ui().Msg(c.answers[i], [&t, insert] {
        if (insert) t.bench.Insert("f1");
      });
    }
    EXPECT_EQ(t.RunSplit(), c.status);
    EXPECT_TRUE(t.ui().done());
    auto msgs = t.Messages();
    EXPECT_EQ(std::vector<std::string>(msgs.begin() + 1, msgs.end()), c.questions);
    EXPECT_EQ(t.form().outcome.split_done, c.status == -1);
    if (c.status == -1) {
      EXPECT_EQ(ReadRecordFields(t.Read("f1", "Tx~ctl.dat"))[6], "d");
      EXPECT_EQ(t.form().Text(StatusText::kLabel1), "Done");
    } else {
      EXPECT_NE(t.form().Text(StatusText::kLabel1), "Done");
    }
  }
}

class FaultySplitTest : public WithFaults, public SplitTest {
 protected:
  FaultySplitTest() : SplitTest(&sys) {}
};

// The last floppy pulled as the record is written: Retry, with another
// set's floppy in the drive, asks for the last floppy before writing.
TEST_F(FaultySplitTest, ControlRecordRetryAfterDeviceUnavailable) {
  Source(1000);
  bench.NewFloppy("other");
  Bench::WriteFile(bench.FloppyDir("other") + "/Tx~ctl.dat", "theirs");
  ChooseFirst("f1");
  sys.FailOn("Open", ENXIO, "Tx~ctl.dat");
  ui().Msg(kAnswerOk).Input(std::string("d"));
  ui().Msg(kAnswerRetry, [&] { bench.Insert("other"); });
  InsertAtPrompt("f1");
  ASSERT_EQ(RunSplit(), -1);
  auto msgs = Messages();
  EXPECT_EQ(std::vector<std::string>(msgs.begin() + 1, msgs.end()),
            (std::vector<std::string>{"Error|Drive is not ready|21", kMore + "1|49"}));
  EXPECT_EQ(Read("other", "Tx~ctl.dat"), "theirs");
  EXPECT_EQ(ReadRecordFields(Read("f1", "Tx~ctl.dat")).size(), 7u);
  EXPECT_TRUE(form().outcome.split_done);
}

// A record that cannot be flushed is reported, never announced as done.
TEST_F(FaultySplitTest, ControlRecordFlushFailureIsReported) {
  Source(1000);
  ChooseFirst("f1");
  sys.FailOn("FSync", EIO, "Tx~ctl.dat");
  ui().Msg(kAnswerOk).Input(std::string("d")).Msg(kAnswerOk);
  EXPECT_EQ(RunSplit(), 1);
  EXPECT_EQ(Messages().back(), "Error|Error  57|16");
  EXPECT_FALSE(form().outcome.split_done);
  EXPECT_NE(form().Text(StatusText::kLabel1), "Done");
}

// Piece and marker are on the medium before the user is asked to swap.
TEST_F(FaultySplitTest, FloppyIsFlushedBeforeTheNextPrompt) {
  Source(kPieceBytes + 10);
  ChooseFirst("f1");
  int syncs_at_prompt = -1;
  ui().Msg(kAnswerOk);  // fits notice
  ui().Msg(kAnswerOk, [&] {
    syncs_at_prompt = sys.Count("FSync");
    bench.Insert("f2");
  });
  ui().Input(std::string("d"));
  ASSERT_EQ(RunSplit(), -1);
  // The piece, the marker and the directory of each.
  EXPECT_GE(syncs_at_prompt, 4);
}

}  // namespace
}  // namespace tavrix::testing

namespace tavrix::testing {
namespace {

// A last piece that leaves one cluster free: a long description must not
// cost the set its record.
TEST_F(SplitTest, ALongDescriptionIsShortenedToFitTheLastFloppy) {
  Source(kPieceBytes);
  ChooseFirst("f1");
  ui().Msg(kAnswerOk);  // "This file fits on a single floppy"
  std::string typed;
  for (int i = 0; i < 400; ++i) typed += "\xc3\xa9t\xc3\xa9 ";  // "été " in UTF-8
  ui().Input(typed);
  ASSERT_EQ(RunSplit(), -1);
  EXPECT_TRUE(form().outcome.split_done);
  std::string record = Read("f1", "Tx~ctl.dat");
  EXPECT_LE(record.size(), static_cast<size_t>(kClusterBytes));
  std::vector<std::string> fields = ReadRecordFields(record);
  ASSERT_GE(fields.size(), 7u);
  EXPECT_EQ(fields[1], "c:\\big.bin");
  EXPECT_EQ(fields[5], form().r.SerialNumber);
  ASSERT_FALSE(fields[6].empty());
  EXPECT_EQ(typed.compare(0, fields[6].size(), fields[6]), 0) << "a prefix of what was typed";
  EXPECT_EQ(DisplayText(fields[6]), fields[6]) << "cut between characters, still UTF-8";
  EXPECT_EQ(Read("f1", "Tx~1.0"), source);
}

}  // namespace
}  // namespace tavrix::testing
