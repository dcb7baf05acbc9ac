// How a restore ends: the name the rebuilt file gets, the questions asked
// and the texts left in the window.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "restore/floppy_scan.h"
#include "restore_fixture.h"
#include "support/fault_injector.h"

namespace tavrix {
namespace {

namespace fs = std::filesystem;
using testing::Bench;
using testing::DirNames;
using testing::Logged;
using testing::MessageTexts;
using testing::SetOptions;
using testing::WriteSet;

const char kPrompt[] = "Please insert another disk of this set\r\n";
const char kSizeWarning[] =
    "Restored file may not be valid.\r\nOriginal file size does not match the restored file.";

// A three-piece set of 3,000 bytes restored in `order` (piece numbers);
// `more` queues the answers after the next-disk prompts.
struct SetRun {
  explicit SetRun(const SetOptions& options = {}) {
    data = Bench::VariedBytes(3000, 21);
    f = WriteSet(b, data, 3, options);
  }
  void Feed(const std::vector<int>& order) {
    std::vector<std::string> fed;
    for (int k : order) fed.push_back(f[static_cast<size_t>(k - 1)]);
    testing::ScriptRestore(b, fed);
  }
  std::string Target(const std::string& name) const {
    return Bench::ReadFile(b.c_dir + "/" + name);
  }

  Bench b;
  std::string data;
  std::vector<std::string> f;
};

TEST(Completion, AnOriginalAlreadyThereKeepsTheResultUnderTheStartNameWhenTheLastPieceWasAppended) {
  for (std::vector<int> order : {std::vector<int>{1, 2, 3}, std::vector<int>{3, 2, 1}}) {
    SetRun run;
    Bench::WriteFile(run.b.c_dir + "/BIG.BIN", "OLD");
    run.Feed(order);

    mnu_Restore_Click(*run.b.form);

    EXPECT_TRUE(run.b.ui.done());
    EXPECT_EQ(MessageTexts(run.b.ui), std::vector<std::string>(2, kPrompt));  // no question
    EXPECT_EQ(run.b.form->Text(StatusText::kLabel7), "Restored file is called c:\\Tx~Start.OK");
    EXPECT_EQ(run.b.form->Text(StatusText::kLabel1), "Restore is completed");
    EXPECT_EQ(run.Target("BIG.BIN"), "OLD");
    EXPECT_TRUE(run.Target("Tx~Start.OK") == run.data);
  }
}

TEST(Completion, AnOriginalAlreadyThereIsReplacedOnYesAndKeptOnNoWhenTheLastPieceWasParked) {
  for (int answer : {kAnswerYes, kAnswerNo}) {
    SCOPED_TRACE(answer);
    SetRun run;
    Bench::WriteFile(run.b.c_dir + "/BIG.BIN", "OLD");
    run.Feed({2, 1, 3});  // piece 3 comes last and is parked
    run.b.ui.Msg(answer);

    mnu_Restore_Click(*run.b.form);

    EXPECT_TRUE(run.b.ui.done());
    auto m = run.b.ui.messages().back();
    EXPECT_EQ(m.text,
              "Original file c:\\BIG.BIN is already on the target disk.\r\nDelete the one on the "
              "target?");
    EXPECT_EQ(m.title, "Tavrix | More options follow ...");
    EXPECT_EQ(m.style, 4);
    EXPECT_EQ(run.b.form->Text(StatusText::kLabel1), "Restore is completed");
    EXPECT_EQ(run.b.form->Text(StatusText::kLabel2), " 2 held files added to c:\\Tx~Start.OK");
    if (answer == kAnswerYes) {
      EXPECT_EQ(run.b.form->Text(StatusText::kLabel7), "c:\\Tx~Start.OK renamed c:\\BIG.BIN");
      EXPECT_EQ(DirNames(run.b.c_dir), std::vector<std::string>{"BIG.BIN"});
      EXPECT_TRUE(run.Target("BIG.BIN") == run.data);
    } else {
      EXPECT_EQ(run.b.form->Text(StatusText::kLabel7), "Restore file is called c:\\Tx~Start.OK");
      EXPECT_EQ(run.Target("BIG.BIN"), "OLD");
      EXPECT_TRUE(run.Target("Tx~Start.OK") == run.data);
    }
  }
}

TEST(Completion, ARecordOfAnotherSetLeavesTheStartNameAndWarnsAboutTheSize) {
  SetRun run({.record_serial = "999.111"});
  run.Feed({1, 2, 3});
  run.b.ui.Msg(kAnswerOk);

  mnu_Restore_Click(*run.b.form);

  EXPECT_TRUE(run.b.ui.done());
  auto m = run.b.ui.messages().back();
  EXPECT_EQ(m.text, kSizeWarning);
  EXPECT_EQ(m.title, "Tavrix | Careful...");
  EXPECT_EQ(m.style, 32);
  EXPECT_EQ(run.b.form->Text(StatusText::kLabel1), "Restore is completed");
  EXPECT_EQ(DirNames(run.b.c_dir), std::vector<std::string>{"Tx~Start.OK"});
  EXPECT_TRUE(run.Target("Tx~Start.OK") == run.data);
  EXPECT_TRUE(run.b.form->outcome.restore_completed);
  EXPECT_FALSE(run.b.form->outcome.restore_size_matched);
}

TEST(Completion, ALastFloppyWithoutItsRecordStillRebuildsTheFile) {
  for (std::vector<int> order : {std::vector<int>{1, 2, 3}, std::vector<int>{3, 1, 2}}) {
    SetRun run({.with_record = false});
    run.Feed(order);
    run.b.ui.Msg(kAnswerOk);

    mnu_Restore_Click(*run.b.form);

    EXPECT_TRUE(run.b.ui.done());
    EXPECT_EQ(MessageTexts(run.b.ui).back(), kSizeWarning);
    EXPECT_EQ(run.b.form->Text(StatusText::kLabel1), "Restore is completed");
    EXPECT_EQ(DirNames(run.b.c_dir), std::vector<std::string>{"Tx~Start.OK"});
    EXPECT_TRUE(run.Target("Tx~Start.OK") == run.data);
  }
}

TEST(Completion, HostileNamesInTheRecordNeverLeaveTheTargetsDirectory) {
  struct Case {
    const char* recorded;
    const char* result;  // the rebuilt file's name on c:
  } cases[] = {
      {"..\\..\\x", "x"},
      {"/etc/x", "x"},
      {".profile", "Tx~Start.OK"},
      {"a:x", "x"},
      {"", "Tx~Start.OK"},
      {"Tx~Hold.3", "Tx~Start.OK"},
      {"TX~START.OK", "Tx~Start.OK"},
  };
  bool etc_x_before = fs::exists("/etc/x");
  for (const auto& c : cases) {
    for (std::vector<int> order : {std::vector<int>{1, 2, 3}, std::vector<int>{2, 1, 3}}) {
      SCOPED_TRACE(std::string(c.recorded) + " in order " + std::to_string(order[0]));
      SetRun run({.source_path = c.recorded});
      run.Feed(order);

      mnu_Restore_Click(*run.b.form);

      EXPECT_TRUE(run.b.ui.done());
      EXPECT_EQ(MessageTexts(run.b.ui), std::vector<std::string>(2, kPrompt));
      EXPECT_EQ(DirNames(run.b.c_dir), std::vector<std::string>{c.result});
      EXPECT_TRUE(run.Target(c.result) == run.data);
      EXPECT_EQ(DirNames(run.b.root), (std::vector<std::string>{"a", "c", "shelf"}));
      EXPECT_TRUE(run.b.form->outcome.restore_size_matched);
    }
  }
  EXPECT_EQ(fs::exists("/etc/x"), etc_x_before);
}

TEST(Completion, ADirectoryOfTheRecordedNameIsNeverDeletedNorAskedAbout) {
  struct Case {
    std::vector<int> order;
    const char* label7;
  } cases[] = {
      {{1, 2, 3}, "Restored file is called c:\\Tx~Start.OK"},  // last piece appended
      {{2, 1, 3}, "Restore file is called c:\\Tx~Start.OK"},   // last piece parked
      {{3, 2, 1}, "Restored file is called c:\\Tx~Start.OK"},
  };
  for (const auto& [order, label7] : cases) {
    SCOPED_TRACE(order[0]);
    SetRun run;
    fs::create_directory(run.b.c_dir + "/BIG.BIN");
    Bench::WriteFile(run.b.c_dir + "/BIG.BIN/inside", "kept");
    run.Feed(order);

    mnu_Restore_Click(*run.b.form);

    EXPECT_TRUE(run.b.ui.done());
    EXPECT_EQ(MessageTexts(run.b.ui), std::vector<std::string>(2, kPrompt));
    EXPECT_EQ(run.Target("BIG.BIN/inside"), "kept");
    EXPECT_TRUE(run.Target("Tx~Start.OK") == run.data);
    EXPECT_EQ(run.b.form->Text(StatusText::kLabel1), "Restore is completed");
    EXPECT_EQ(run.b.form->Text(StatusText::kLabel7), label7);
  }
}

TEST(Completion, AParkedLastPieceWithNoOriginalThereIsMovedWithoutAQuestion) {
  SetRun run;
  run.Feed({2, 1, 3});  // piece 3 comes last and is parked

  mnu_Restore_Click(*run.b.form);

  EXPECT_TRUE(run.b.ui.done());
  EXPECT_EQ(MessageTexts(run.b.ui), std::vector<std::string>(2, kPrompt));
  EXPECT_EQ(run.b.form->Text(StatusText::kLabel1), "Restore is completed");
  EXPECT_EQ(run.b.form->Text(StatusText::kLabel7), "c:\\Tx~Start.OK renamed c:\\BIG.BIN");
  EXPECT_EQ(DirNames(run.b.c_dir), std::vector<std::string>{"BIG.BIN"});
  EXPECT_TRUE(run.Target("BIG.BIN") == run.data);
}

// A name taken between the check and the move (58): the error's text, then
// the completion goes on and the file keeps the start name.
TEST(Completion, AMoveRefusedBecauseTheNameIsTakenLeavesTheStartName) {
  struct Case {
    std::vector<int> order;
    const char* label7;
  } cases[] = {
      {{1, 2, 3}, "Restored file is called c:\\Tx~Start.OK"},
      {{2, 1, 3}, "Restore file is called c:\\Tx~Start.OK"},
  };
  for (const auto& [order, label7] : cases) {
    SCOPED_TRACE(order[0]);
    testing::FaultInjector sys;
    Bench b(&sys);
    std::string data = Bench::VariedBytes(3000, 21);
    auto f = WriteSet(b, data, 3);
    std::vector<std::string> fed;
    for (int k : order) fed.push_back(f[static_cast<size_t>(k - 1)]);
    testing::ScriptRestore(b, fed);
    b.ui.Msg(kAnswerOk);  // the error's text
    sys.FailOn("RenameNoReplace", EEXIST, "BIG.BIN");

    mnu_Restore_Click(*b.form);

    EXPECT_TRUE(b.ui.done());
    auto m = b.ui.messages().back();
    EXPECT_EQ(m.text, "File already exists");
    EXPECT_EQ(m.title, "Error");
    EXPECT_EQ(m.style, 16);
    EXPECT_EQ(b.form->Text(StatusText::kLabel1), "Restore is completed");
    EXPECT_EQ(b.form->Text(StatusText::kLabel7), label7);
    EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"Tx~Start.OK"});
    EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/Tx~Start.OK") == data);
  }
}

TEST(Completion, AnEarlierResultUnderTheStartNameIsDeletedOnlyOnYes) {
  for (int answer : {kAnswerYes, kAnswerNo}) {
    SCOPED_TRACE(answer);
    SetRun run;
    Bench::WriteFile(run.b.c_dir + "/Tx~Start.OK", "EARLIER RESULT");
    run.b.Insert(run.f[0]);
    run.b.ui.Click("a:").Ok().Click("c:").Ok().Msg(answer);
    if (answer == kAnswerYes) {
      run.b.ui.Msg(kAnswerOk, [&] { run.b.Insert(run.f[1]); });
      run.b.ui.Msg(kAnswerOk, [&] { run.b.Insert(run.f[2]); });
    }

    mnu_Restore_Click(*run.b.form);

    EXPECT_TRUE(run.b.ui.done());
    auto m = run.b.ui.messages().at(0);
    EXPECT_EQ(
        m.text,
        "File c:\\Tx~Start.OK is already on the target disk.\r\nDelete the one on the target?");
    EXPECT_EQ(m.title, "Tavrix | More options follow ...");
    EXPECT_EQ(m.style, 4);
    if (answer == kAnswerYes) {
      EXPECT_EQ(DirNames(run.b.c_dir), std::vector<std::string>{"BIG.BIN"});
      EXPECT_TRUE(run.Target("BIG.BIN") == run.data);
    } else {
      EXPECT_EQ(run.b.ui.messages().size(), 1u);
      EXPECT_EQ(DirNames(run.b.c_dir), std::vector<std::string>{"Tx~Start.OK"});
      EXPECT_EQ(run.Target("Tx~Start.OK"), "EARLIER RESULT");
      EXPECT_FALSE(run.b.form->r.RestoreActive);
    }
  }
}

TEST(Completion, AHoldFileLeftByAnInterruptedRestoreIsEmptiedFirst) {
  SetRun run;
  Bench::WriteFile(run.b.c_dir + "/Tx~Hold.3", std::string(5000, 'S'));
  run.Feed({1, 3, 2});

  mnu_Restore_Click(*run.b.form);

  EXPECT_TRUE(run.b.ui.done());  // no size warning
  EXPECT_TRUE(run.Target("BIG.BIN") == run.data);
}

// A hold file is the only copy of its piece on the target: it goes only
// once the piece's bytes are on the medium behind the others.
TEST(Completion, AHoldFileStaysWhenItsBytesCannotBeFlushed) {
  testing::FaultInjector sys;
  Bench b(&sys);
  std::string data = Bench::VariedBytes(3000, 21);
  auto f = WriteSet(b, data, 3);
  testing::ScriptRestore(b, {f[0], f[2], f[1]});
  b.ui.Msg(kAnswerOk);  // the error report
  sys.FailOn("FSync", EIO, "Tx~Start.OK");

  EXPECT_THROW(mnu_Restore_Click(*b.form), ProgramExit);

  EXPECT_EQ(MessageTexts(b.ui).back(), "Error  57 = Device I/O error");
  EXPECT_EQ(DirNames(b.c_dir), (std::vector<std::string>{"Tx~Hold.3", "Tx~Start.OK"}));
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/Tx~Hold.3") == data.substr(2000));
}

TEST(Completion, TheRebuiltFileIsFlushedBeforeTheRestoreIsCalledComplete) {
  testing::FaultInjector sys;
  Bench b(&sys);
  std::string data = Bench::VariedBytes(3000, 21);
  auto f = WriteSet(b, data, 3);
  testing::ScriptRestore(b, f);
  b.ui.Msg(kAnswerOk);  // the error report
  sys.FailOn("FSync", EIO, "BIG.BIN");

  EXPECT_THROW(mnu_Restore_Click(*b.form), ProgramExit);

  EXPECT_EQ(MessageTexts(b.ui).back(), "Error  57 = Device I/O error");
  EXPECT_FALSE(Logged(b.ui, "Label1: Restore is completed"));
  EXPECT_FALSE(b.form->outcome.restore_completed);
}

}  // namespace
}  // namespace tavrix
