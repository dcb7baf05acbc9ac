// The floppy scan and the next-disk prompt: which floppies are refused and
// how, and how the restore goes on afterwards.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "restore/floppy_scan.h"
#include "restore_fixture.h"
#include "support/fault_injector.h"

namespace tavrix {
namespace {

namespace fs = std::filesystem;
using testing::Bench;
using testing::Call;
using testing::DirNames;
using testing::Logged;
using testing::MessageTexts;
using testing::WriteSet;

const char kPrompt[] = "Please insert another disk of this set\r\n";
const char kSecondLine[] = "\r\nReplace floppy and select Restore from menu.";

class Scan : public ::testing::Test {
 protected:
  void SetUp() override {
    data = Bench::VariedBytes(3000, 11);
    f = WriteSet(b, data, 3);
  }
  // A floppy on the shelf holding `files` (name, bytes).
  std::string MakeFloppy(const std::string& name,
                         const std::vector<std::pair<std::string, std::string>>& files) {
    b.NewFloppy(name);
    for (const auto& [file, bytes] : files) Bench::WriteFile(b.FloppyDir(name) + "/" + file, bytes);
    return name;
  }
  void ExpectRebuilt() {
    EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"BIG.BIN"});
    EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/BIG.BIN") == data);
    EXPECT_EQ(b.form->Text(StatusText::kLabel1), "Restore is completed");
  }
  static Call Refusal(const std::string& first_line) {
    return Call{"msgbox", first_line + kSecondLine, "Tavrix | Problems ...", 32, "1"};
  }
  static void ExpectCall(const Call& got, const Call& want) {
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.title, want.title);
    EXPECT_EQ(got.style, want.style);
  }

  Bench b;
  std::string data;
  std::vector<std::string> f;
};

// A later floppy refused after floppy 1, then the menu command resuming
// the same restore with the right floppies.
TEST_F(Scan, RefusedLaterFloppiesAndTheMenuCommandResuming) {
  const std::string kOther = "Tx~SN111.222";
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;  // empty: floppy 1 again
    std::string first_line;
  } cases[] = {
      {"another set",
       {{"Tx~2.3", "xx"}, {kOther, ""}},
       "Serial Number found on floppy does not match current restore."},
      {"another set, piece already processed",
       {{"Tx~1.2", "xx"}, {kOther, ""}},
       "Serial Number found on floppy does not match current restore."},
      {"already read", {}, "This file/floppy has already been processed."},
      {"already read, listed in another case",
       {{"TX~1.2", "xx"}, {"Tx~SN235.714", ""}},
       "This file/floppy has already been processed."},
      {"no piece file",
       {{"Tx~SN235.714", ""}, {"notes.txt", "hello"}},
       "No valid Tavrix restore data file was found."},
      {"0-byte piece", {{"Tx~2.3", ""}, {"Tx~SN235.714", ""}}, "File on floppy is 0 bytes."},
      {"no marker", {{"Tx~2.3", "xx"}}, "No Serial Number file found on floppy."},
      {"marker differing in case",
       {{"Tx~2.3", "xx"}, {"TX~SN235.714", ""}},
       "Serial Number found on floppy does not match current restore."},
      {"two markers",
       {{"Tx~2.3", "xx"}, {"Tx~SN111.222", ""}, {"Tx~SN235.714", ""}},
       "This floppy holds files of more than one Tavrix set."},
      {"two piece files",
       {{"Tx~2.3", "xx"}, {"Tx~5.6", "yy"}, {"Tx~SN235.714", ""}},
       "This floppy holds files of more than one Tavrix set."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bench bench;
    std::string bytes = Bench::VariedBytes(3000, 11);
    auto set = WriteSet(bench, bytes, 3);
    std::string bad = set[0];
    if (!c.files.empty()) {
      bad = "bad";
      bench.NewFloppy(bad);
      for (const auto& [file, content] : c.files)
        Bench::WriteFile(bench.FloppyDir(bad) + "/" + file, content);
    }
    bench.Insert(set[0]);
    bench.ui.Click("a:").Ok().Click("c:").Ok();
    bench.ui.Msg(kAnswerOk, [&] { bench.Insert(bad); });
    bench.ui.Msg(kAnswerOk);  // the refusal

    mnu_Restore_Click(*bench.form);

    ASSERT_EQ(bench.ui.messages().size(), 2u);
    ExpectCall(bench.ui.messages()[1], Refusal(c.first_line));
    EXPECT_TRUE(bench.form->r.RestoreActive);
    EXPECT_EQ(bench.form->r.PieceCount, 1);

    // The menu command takes up the same restore.
    bench.Insert(set[1]);
    bench.ui.Msg(kAnswerOk, [&] { bench.Insert(set[2]); });
    mnu_Restore_Click(*bench.form);

    EXPECT_TRUE(bench.ui.done());
    EXPECT_EQ(DirNames(bench.c_dir), std::vector<std::string>{"BIG.BIN"});
    EXPECT_TRUE(Bench::ReadFile(bench.c_dir + "/BIG.BIN") == bytes);
  }
}

TEST_F(Scan, AZeroBytePieceShowsAnEmptyNumberFirst) {
  MakeFloppy("empty", {{"Tx~1.2", ""}, {"Tx~SN235.714", ""}});
  b.Insert("empty");
  b.ui.Click("a:").Ok().Msg(kAnswerOk);
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(Logged(b.ui, "ReadDisplayLbl: Reading  bytes."));
  ExpectCall(b.ui.messages().at(0), Refusal("File on floppy is 0 bytes."));
}

TEST_F(Scan, ThePieceSizeIsShownGrouped) {
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Cancel();
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(Logged(b.ui, "ReadDisplayLbl: Reading 1,000 bytes."));
}

TEST_F(Scan, AFirstFloppyRefusedAsksForTheTargetWhenTheNextIsAccepted) {
  // A drive that Drive1 happens to show: nothing may land there.
  b.AddDrive('d', kDriveFixed);
  b.form->Drive1.drive = "d:";
  MakeFloppy("marker only", {{"Tx~SN235.714", ""}});
  b.Insert("marker only");
  b.ui.Click("a:").Ok().Msg(kAnswerOk);

  mnu_Restore_Click(*b.form);

  ExpectCall(b.ui.messages().at(0), Refusal("No valid Tavrix restore data file was found."));
  auto pickers = [&] {
    int count = 0;
    for (const auto& c : b.ui.transcript()) count += c.kind == "picker" ? 1 : 0;
    return count;
  };
  EXPECT_EQ(pickers(), 1);  // no target asked for
  EXPECT_EQ(b.form->r.SerialNumber, "Tx~SN235.714");
  EXPECT_FALSE(b.form->r.TargetChosen);
  int height_after_refusal = b.form->w.height_twips;

  // The last floppy first: its record is loaded in the scan, before any
  // target is known.
  b.Insert(f[2]);
  b.ui.Click("c:").Ok();
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[0]); });
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[1]); });
  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  EXPECT_TRUE(Logged(b.ui, "Label7: Original file name is C:\\DATA\\BIG.BIN"));
  EXPECT_EQ(pickers(), 2);  // the floppy drive, then the target once
  EXPECT_EQ(height_after_refusal, kRestingHeightTwips);
  EXPECT_TRUE(Logged(b.ui, "Label2: Writing to c:\\Tx~Hold.3"));
  ExpectRebuilt();
  EXPECT_TRUE(DirNames(b.root + "/d").empty());
}

TEST_F(Scan, AFirstFloppyOfTwoSetsLeavesTheSerialToTheNextFloppy) {
  MakeFloppy("two sets",
             {{"Tx~1.2", "aa"}, {"Tx~4.5", "bb"}, {"Tx~SN111.222", ""}, {"Tx~SN235.714", ""}});
  b.Insert("two sets");
  b.ui.Click("a:").Ok().Msg(kAnswerOk);
  mnu_Restore_Click(*b.form);
  ExpectCall(b.ui.messages().at(0),
             Refusal("This floppy holds files of more than one Tavrix set."));
  EXPECT_EQ(b.form->r.SerialNumber, "");

  b.Insert(f[1]);
  b.ui.Click("c:").Ok();
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[0]); });
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[2]); });
  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  EXPECT_EQ(b.ui.messages().size(), 3u);
  ExpectRebuilt();
}

TEST_F(Scan, AFirstFloppyWithoutMarkerLeavesEveryLaterOneUnmatched) {
  MakeFloppy("no marker", {{"Tx~1.2", "aa"}});
  b.Insert("no marker");
  b.ui.Click("a:").Ok().Msg(kAnswerOk);
  mnu_Restore_Click(*b.form);
  b.Insert(f[0]);
  b.ui.Msg(kAnswerOk);
  mnu_Restore_Click(*b.form);
  EXPECT_EQ(MessageTexts(b.ui),
            (std::vector<std::string>{
                std::string("No Serial Number file found on floppy.") + kSecondLine,
                std::string("Serial Number found on floppy does not match current restore.") +
                    kSecondLine}));
  EXPECT_TRUE(DirNames(b.c_dir).empty());
}

TEST_F(Scan, TheControlFileIsNeverTakenAsAPieceInWhateverCase) {
  fs::rename(b.FloppyDir(f[2]) + "/Tx~ctl.dat", b.FloppyDir(f[2]) + "/TX~CTL.DAT");
  testing::ScriptRestore(b, f);
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(b.ui.done());
  EXPECT_TRUE(Logged(b.ui, "Label1: Reading a:\\Tx~3.0"));
  ExpectRebuilt();
}

TEST_F(Scan, ARecordListedBeforeTheMarkerIsReadOnceTheMarkerIsMet) {
  // Listing order: Tx~3.0, Tx~ctl.dat, Tx~SN235.714 -- the record waits.
  testing::ScriptRestore(b, f);
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(Logged(b.ui, "Label7: Original file name is C:\\DATA\\BIG.BIN"));
  ExpectRebuilt();
}

TEST_F(Scan, AFloppyWithTheRecordButNoMarkerNeverHasItRead) {
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Click("c:").Ok();
  fs::remove(b.FloppyDir(f[2]) + "/Tx~SN235.714");
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[2]); }).Msg(kAnswerOk);
  mnu_Restore_Click(*b.form);
  EXPECT_FALSE(Logged(b.ui, "Label1: Found control file ... loading"));
  EXPECT_EQ(b.form->r.OriginalName, "");
}

TEST_F(Scan, CancelInTheFloppyPickerLeavesTheRestoreIdle) {
  b.ui.Cancel();
  mnu_Restore_Click(*b.form);
  EXPECT_FALSE(b.form->r.RestoreActive);
  EXPECT_EQ(b.form->r.DialogMode, 3);
}

TEST_F(Scan, CancelInTheTargetPickerLeavesTheRestoreIdle) {
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Cancel();
  mnu_Restore_Click(*b.form);
  EXPECT_FALSE(b.form->r.RestoreActive);
  EXPECT_EQ(b.form->Text(StatusText::kCaption), "Tavrix");
  EXPECT_EQ(b.form->Text(StatusText::kReadDisplayLbl), "");
  EXPECT_EQ(b.form->w.height_twips, kRestingHeightTwips);
  EXPECT_TRUE(DirNames(b.c_dir).empty());
}

TEST_F(Scan, CancelAtTheNextDiskPromptGivesTheRestoreUpAndKeepsWhatWasWritten) {
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Click("c:").Ok().Msg(kAnswerCancel);
  mnu_Restore_Click(*b.form);
  EXPECT_FALSE(b.form->r.RestoreActive);
  EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"Tx~Start.OK"});
  EXPECT_EQ(b.form->w.height_twips, kRestingHeightTwips + kRunExtraTwips);

  // The next command starts afresh with the floppy picker.
  b.ui.Cancel();
  mnu_Restore_Click(*b.form);
  EXPECT_EQ(b.form->r.DialogMode, 3);
}

TEST_F(Scan, OkWithTheSameFloppyStillInIsRefusedAsAlreadyProcessed) {
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Click("c:").Ok().Msg(kAnswerOk).Msg(kAnswerOk);
  mnu_Restore_Click(*b.form);
  ExpectCall(b.ui.messages().at(1), Refusal("This file/floppy has already been processed."));
}

TEST_F(Scan, ADriveNotReadyIsReadAgainOnRetry) {
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Click("c:").Ok();
  b.ui.Msg(kAnswerOk, [&] { b.Eject(); });          // OK before the floppy is in
  b.ui.Msg(kAnswerRetry, [&] { b.Insert(f[1]); });  // "Drive is not ready"
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[2]); });
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(b.ui.done());
  auto m = b.ui.messages().at(1);
  EXPECT_EQ(m.text, "Drive is not ready");
  EXPECT_EQ(m.title, "Error");
  EXPECT_EQ(m.style, 21);
  ExpectRebuilt();
}

TEST_F(Scan, CancelAtDriveNotReadyLeavesTheRestoreInProgress) {
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Click("c:").Ok();
  b.ui.Msg(kAnswerOk, [&] { b.Eject(); });
  b.ui.Msg(kAnswerCancel);
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(b.form->r.RestoreActive);

  b.Insert(f[1]);
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[2]); });
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(b.ui.done());
  ExpectRebuilt();
}

TEST(ScanFaults, APieceFileGoneWhenMeasuredIsPassedOver) {
  testing::FaultInjector sys;
  Bench b(&sys);
  std::string data = Bench::VariedBytes(3000, 11);
  auto f = WriteSet(b, data, 3);
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Click("c:").Ok();
  b.ui.Msg(kAnswerOk, [&] {
    b.Insert(f[1]);
    sys.FailOn("Stat", ENOENT, "Tx~2.3", 2);  // listed, then gone when measured
  });
  b.ui.Msg(kAnswerOk);  // the refusal
  mnu_Restore_Click(*b.form);
  EXPECT_EQ(MessageTexts(b.ui).back(),
            std::string("No valid Tavrix restore data file was found.") + kSecondLine);
  EXPECT_TRUE(b.form->r.RestoreActive);

  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[2]); });
  mnu_Restore_Click(*b.form);
  EXPECT_TRUE(b.ui.done());
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/BIG.BIN") == data);
}

TEST_F(Scan, OtherErrorsWhileScanningEndTheProgram) {
  b.Insert(f[0]);
  b.ui.Click("a:").Ok().Click("c:").Ok();
  // A control record whose piece count does not fit its field.
  Bench::WriteFile(b.FloppyDir(f[2]) + "/Tx~ctl.dat",
                   testing::RecordText("C:\\BIG.BIN", 99999999999, 3000, "235.714", "x"));
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[2]); }).Msg(kAnswerOk);
  EXPECT_THROW(mnu_Restore_Click(*b.form), ProgramExit);
  auto m = b.ui.messages().at(1);
  EXPECT_EQ(m.text, "Error  6");
  EXPECT_EQ(m.title, "Error");
  EXPECT_EQ(m.style, 16);
}

}  // namespace
}  // namespace tavrix
