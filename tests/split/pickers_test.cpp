// The drive pickers: the floppy picker RestoreFrm in both modes, the target
// picker TargetFrm and ChooseRestoreTarget.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "drives/drive_picker.h"
#include "restore/main_form.h"
#include "support/bench.h"
#include "support/fault_injector.h"

namespace tavrix {
namespace {

using testing::Bench;
using testing::Call;
using testing::FaultInjector;

constexpr int64_t kCluster = 512;
constexpr int64_t kClusters = 2847;

// A floppy in a: with `free_clusters` clusters left free, and an extra
// empty file when one is named.
void FillFloppy(Bench& bench, int64_t free_clusters, const std::string& extra_file = "") {
  bench.NewFloppy("f");
  bench.Insert("f");
  Bench::WriteFile(bench.a_dir + "/data.bin",
                   std::string(static_cast<size_t>((kClusters - free_clusters) * kCluster), 'x'));
  if (!extra_file.empty()) Bench::WriteFile(bench.a_dir + "/" + extra_file, "");
}

class PickerTest : public ::testing::Test {
 protected:
  explicit PickerTest(FaultInjector* sys = nullptr) : bench(sys) {}
  MainForm& form() { return *bench.form; }
  testing::ScriptedInteraction& ui() { return bench.ui; }
  void FloppyWithFree(int64_t free_clusters) { FillFloppy(bench, free_clusters); }
  // A fixed drive of emulated geometry, so that its free space is known.
  void FixedDrive(char letter) { bench.AddDrive(letter, kDriveFixed, GeometryByName("1.44m")); }
  Call LastMessage() {
    auto m = ui().messages();
    return m.empty() ? Call{} : m.back();
  }

  Bench bench;
};

TEST_F(PickerTest, FloppyPickerCaptionPromptAndDrivesByMode) {
  DriveEntry b{'b', bench.root + "/b", "", kDriveRemovable, std::nullopt, "b"};
  DriveEntry d{'d', bench.root + "/d", "", kDriveCdrom, std::nullopt, "d"};
  bench.SetDrive(b);
  bench.SetDrive(d);
  struct Case {
    int mode;
    const char* caption;
    const char* prompt;
  } cases[] = {
      {1, "Tavrix File Split", "Select a drive to split a file to:"},
      {2, "Tavrix Restore", "Select a drive to restore from the following:"},
      {3, "", ""},
  };
  for (const auto& c : cases) {
    form().r.DialogMode = c.mode;
    form().r.FloppyDrive = "x:";
    RestoreFrm picker(form());
    picker.Form_Load();
    EXPECT_EQ(picker.caption(), c.caption);
    EXPECT_EQ(picker.prompt(), c.prompt);
    EXPECT_EQ(picker.entries(), (std::vector<std::string>{"a:", "b:"}));
    EXPECT_EQ(picker.selected(), -1);
    EXPECT_EQ(form().r.FloppyDrive, "");
  }
}

TEST(FloppyPicker, SplitModeSpaceCheck) {
  struct Case {
    int64_t free_clusters;
    const char* extra_file;
    bool accepted;
  } cases[] = {
      {1, "", false},
      {2, "", true},
      {0, "", false},
      // A floppy of an old set: the writer will offer to free it.
      {1, "Tx~SN111.111", true},
      {1, "TX~2.0", true},
      {1, "notes.txt", false},
  };
  for (const auto& c : cases) {
    Bench bench;
    FillFloppy(bench, c.free_clusters, c.extra_file);
    bench.form->r.DialogMode = 1;
    bench.ui.Click("a:");
    if (!c.accepted) bench.ui.Msg(kAnswerOk);
    bench.ui.Ok();
    if (!c.accepted) bench.ui.Msg(kAnswerOk);
    ShowRestoreFrm(*bench.form);
    auto msgs = bench.ui.messages();
    std::string what = std::to_string(c.free_clusters) + " " + c.extra_file;
    if (c.accepted) {
      EXPECT_EQ(bench.form->r.FloppyDrive, "a:") << what;
      EXPECT_TRUE(msgs.empty()) << what;
    } else {
      EXPECT_EQ(bench.form->r.FloppyDrive, "") << what;
      ASSERT_EQ(msgs.size(), 2u) << what;
      EXPECT_EQ(msgs[0].text, "There is too little space left on that diskette.");
      EXPECT_EQ(msgs[0].title, "Tavrix | Need floppies with space!");
      EXPECT_EQ(msgs[0].style, 16);
      EXPECT_EQ(msgs[1].text, "You have not selected a drive to restore a file from.");
      EXPECT_EQ(msgs[1].title, "Tavrix | No restore will take place");
      EXPECT_EQ(msgs[1].style, 32);
    }
    EXPECT_TRUE(bench.ui.done());
  }
}

TEST_F(PickerTest, SplitModeOkShowsTheEstimate) {
  FloppyWithFree(kClusters);
  form().r.DialogMode = 1;
  form().r.SourceSize = 3000000;
  ui().Click("a:").Ok();
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "a:");
  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl),
            "1.44MB Floppy = you will need 2.06 floppies.");
  EXPECT_EQ(form().w.read_from_device_pic, Picture::kThreeFloppies);
  // The picker measured the clicked drive.
  EXPECT_EQ(form().r.DriveFreeBytes, kClusters * kCluster);
  EXPECT_EQ(form().r.DriveClusterBytes, kCluster);
  EXPECT_EQ(ui().transcript().front().kind, "picker");
  EXPECT_EQ(ui().transcript().front().title, "Tavrix File Split");
}

TEST_F(PickerTest, RestoreModeEmptyFloppyAndFloppyWithFiles) {
  bench.NewFloppy("empty");
  bench.Insert("empty");
  form().r.DialogMode = 2;
  form().r.SourceSize = 3000000;
  ui().Click("a:").Msg(kAnswerOk);
  ui().Click("a:", [&] { Bench::WriteFile(bench.a_dir + "/Tx~1.2", "x"); });
  ui().Ok();
  ShowRestoreFrm(form());
  auto msgs = ui().messages();
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_EQ(msgs[0].text,
            "There are no files on that diskette.\r\nReplace the floppy and try again.");
  EXPECT_EQ(msgs[0].title, "Tavrix | Where's the file(s)?");
  EXPECT_EQ(msgs[0].style, 16);
  EXPECT_EQ(form().r.FloppyDrive, "a:");
  EXPECT_EQ(form().File1.names, (std::vector<std::string>{"Tx~1.2"}));
  // Restore mode changes the picture, not the estimate text.
  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl), "");
  EXPECT_EQ(form().w.read_from_device_pic, Picture::kThreeFloppies);
}

TEST_F(PickerTest, DriveNotReadyRetryAndCancel) {
  bench.NewFloppy("f");
  Bench::WriteFile(bench.FloppyDir("f") + "/Tx~1.2", "x");
  form().r.DialogMode = 2;
  const std::string not_ready = "Target drive a: is not ready or available.";
  // Cancel: no answer.
  ui().Click("a:").Msg(kAnswerCancel).Ok().Msg(kAnswerOk);
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "");
  // Retry after the floppy went in: the list is read and the drive taken.
  ui().Click("a:").Msg(kAnswerRetry, [&] { bench.Insert("f"); }).Ok();
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "a:");
  auto msgs = ui().messages();
  ASSERT_EQ(msgs.size(), 3u);
  for (int i : {0, 2}) {
    EXPECT_EQ(msgs[i].text, not_ready);
    EXPECT_EQ(msgs[i].title, "Tavrix | Where's the device?");
    EXPECT_EQ(msgs[i].style, 21);
  }
}

TEST_F(PickerTest, SplitModeRetryKeepsTheMeasurementTakenWithoutTheFloppy) {
  bench.NewFloppy("f");
  form().r.DialogMode = 1;
  ui().Click("a:").Msg(kAnswerRetry, [&] { bench.Insert("f"); }).Msg(kAnswerOk);
  ui().Click("a:").Ok();
  ShowRestoreFrm(form());
  auto msgs = ui().messages();
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].text, "Target drive a: is not ready or available.");
  EXPECT_EQ(msgs[1].text, "There is too little space left on that diskette.");
  // Clicking again measures afresh.
  EXPECT_EQ(form().r.FloppyDrive, "a:");
}

TEST_F(PickerTest, NoRemovableDriveGivesAnEmptyList) {
  DriveEntry a{'a', bench.a_dir, "", kDriveFixed, std::nullopt, "a"};
  bench.SetDrive(a);
  form().r.DialogMode = 2;
  ui().Ok().Msg(kAnswerOk);
  ShowRestoreFrm(form());
  EXPECT_EQ(ui().transcript().front().answer, "");  // no entries offered
  EXPECT_EQ(LastMessage().text, "You have not selected a drive to restore a file from.");
  EXPECT_EQ(form().r.FloppyDrive, "");
}

TEST_F(PickerTest, ClosingKeepsTheLastClickWithoutTheEstimate) {
  FloppyWithFree(kClusters);
  form().r.DialogMode = 1;
  form().r.SourceSize = 3000000;
  ui().Click("a:").Close();
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "a:");
  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl), "");
  // Cancel clears the answer.
  ui().Click("a:").Cancel();
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "");
}

TEST_F(PickerTest, ASecondClickAfterARefusedOneDecides) {
  FloppyWithFree(1);
  form().r.DialogMode = 1;
  ui().Click("a:").Msg(kAnswerOk);
  ui().Click("a:", [&] { std::filesystem::remove(bench.a_dir + "/data.bin"); }).Ok();
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "a:");
}

// The injector is a base listed first, so that it outlives the bench.
struct WithFaults {
  FaultInjector sys;
};

class FaultyPickerTest : public WithFaults, public PickerTest {
 protected:
  FaultyPickerTest() : PickerTest(&sys) {}
};

TEST_F(FaultyPickerTest, OtherErrorsAreUnexpected) {
  bench.NewFloppy("f");
  bench.Insert("f");
  Bench::WriteFile(bench.a_dir + "/Tx~1.2", "x");
  form().r.DialogMode = 2;
  sys.FailOn("ListDirectory", EIO, bench.a_dir);
  ui().Click("a:").Msg(kAnswerOk).Close();
  ShowRestoreFrm(form());
  Call m = LastMessage();
  EXPECT_EQ(m.text, "Error  57: Device I/O error");
  EXPECT_EQ(m.title, "Unexpected Error");
  EXPECT_EQ(m.style, 16);
  EXPECT_EQ(form().r.FloppyDrive, "");
}

TEST_F(PickerTest, TargetPickerOffersFixedDrives) {
  FixedDrive('e');
  DriveEntry g{'g', bench.root + "/missing", "", kDriveFixed, std::nullopt, "g"};
  bench.SetDrive(g);  // a drive without its root directory counts as type 1
  form().r.DialogMode = 2;
  TargetFrm picker(form());
  picker.Form_Load();
  EXPECT_EQ(picker.caption(), "Tavrix Restore");
  EXPECT_EQ(picker.prompt(), "Select a drive to restore TO from the following:");
  EXPECT_EQ(picker.entries(), (std::vector<std::string>{"c:", "e:", "g:"}));
}

TEST_F(PickerTest, TargetSpaceCheckNamesTheDrive) {
  FixedDrive('e');
  const int64_t free = kClusters * kCluster;
  struct Case {
    int64_t size;
    bool accepted;
  } cases[] = {{free, true}, {free + 1, false}};
  for (const auto& c : cases) {
    form().r.DialogMode = 2;
    form().r.SourceSize = c.size;
    form().r.TargetDrive = "";
    ui().Click("e:");
    if (!c.accepted) ui().Msg(kAnswerOk);
    ui().Close();
    TargetFrm picker(form());
    picker.Form_Load();
    ui().ShowPicker(picker);
    EXPECT_EQ(form().r.TargetDrive, c.accepted ? "e:" : "") << c.size;
  }
  Call m = LastMessage();
  EXPECT_EQ(m.text, "There is too little space left on drive e:.");
  EXPECT_EQ(m.title, "Tavrix | Need disk with space!");
  EXPECT_EQ(m.style, 16);
  EXPECT_EQ(ui().messages().size(), 1u);
}

TEST_F(PickerTest, ChooseRestoreTargetTakesANewDrive) {
  FixedDrive('e');
  form().r.DialogMode = 2;
  form().r.SourceSize = 100;
  form().r.RestoreActive = true;
  ui().Click("e:").Ok();
  EXPECT_EQ(ChooseRestoreTarget(form()), "e:");
  EXPECT_EQ(form().r.TargetDrive, "e:");
  EXPECT_EQ(form().Drive1.drive, "e:");
  EXPECT_TRUE(form().r.DriveInfoFresh);  // Drive1_Change measured it
  EXPECT_EQ(form().Text(StatusText::kWriteDisplayLbl), "Space on E: is 1,457,664 bytes.");
  EXPECT_TRUE(form().w.write_to_device_pic_visible);
  EXPECT_TRUE(form().r.RestoreActive);
}

TEST_F(PickerTest, ChooseRestoreTargetPreviousDriveOrNoneEndsTheRestore) {
  FixedDrive('e');
  struct Case {
    const char* previous;
    bool pick;  // click e: and Ok, else Cancel
    const char* result;
  } cases[] = {
      {"e:", true, ""},      // the same target again counts as none
      {"e:\\", true, "e:"},  // between assembly steps it reads e:\, so e: is new
      {"", true, "e:"},
      {"c:", false, ""},
  };
  for (const auto& c : cases) {
    form().r.DialogMode = 2;
    form().r.SourceSize = 100;
    form().r.TargetDrive = c.previous;
    form().r.RestoreActive = true;
    form().SetText(StatusText::kLabel3, "something");
    form().SetCaption("Tavrix <> old");
    if (c.pick) {
      ui().Click("e:").Ok();
    } else {
      ui().Cancel();
    }
    EXPECT_EQ(ChooseRestoreTarget(form()), c.result) << c.previous;
    if (std::string(c.result).empty()) {
      EXPECT_FALSE(form().r.RestoreActive) << c.previous;
      EXPECT_EQ(form().r.TargetDrive, "");
      EXPECT_EQ(form().Text(StatusText::kCaption), "Tavrix");
      EXPECT_EQ(form().Text(StatusText::kLabel3), "");
    } else {
      EXPECT_TRUE(form().r.RestoreActive) << c.previous;
      EXPECT_EQ(form().Text(StatusText::kLabel3), "something");
    }
  }
}

TEST_F(PickerTest, TargetOkWithoutADrive) {
  form().r.DialogMode = 2;
  ui().Ok().Msg(kAnswerOk);
  EXPECT_EQ(ChooseRestoreTarget(form()), "");
  Call m = LastMessage();
  EXPECT_EQ(m.text, "You have not selected a drive to restore files to.");
  EXPECT_EQ(m.title, "Tavrix | No restore will take place");
  EXPECT_EQ(m.style, 32);
}

}  // namespace
}  // namespace tavrix
