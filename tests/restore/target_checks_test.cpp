// The target checks of the assembly step: drive type, room for the piece,
// room for the whole file.
#include "restore/target_checks.h"

#include <gtest/gtest.h>

#include "restore/assembly.h"
#include "restore/floppy_scan.h"
#include "restore_fixture.h"

namespace tavrix {
namespace {

using testing::Bench;
using testing::DirNames;
using testing::MessageTexts;
using testing::WriteSet;

// Drive c: as a small emulated disk of `clusters` clusters of 512 bytes.
void SmallTargetDisk(Bench& b, int64_t clusters) {
  DriveEntry c;
  c.letter = 'c';
  c.directory = b.c_dir;
  c.type = kDriveFixed;
  c.geometry = Geometry{1, 512, clusters};
  c.label = "home";
  b.SetDrive(c);
}

// The record as the scan leaves it for floppy 1 of the set, its target
// chosen, with Drive1 showing `drive1`.
void ReadyForPieceOne(Bench& b, const std::string& floppy, const std::string& drive1) {
  b.Insert(floppy);
  auto& r = b.form->r;
  r.RestoreActive = true;
  r.SerialNumber = "Tx~SN235.714";
  r.SourceFile = "a:\\Tx~1.2";
  r.SourceSize = b.platform->FileLen(r.SourceFile);
  r.TargetChosen = true;
  r.TargetDrive = "c:";
  b.form->Drive1.drive = drive1;
}

TEST(TargetChecks, ARemovableTargetIsRefusedAndAFixedDriveTakesItsPlace) {
  Bench b;
  auto f = WriteSet(b, Bench::VariedBytes(2000, 1), 2);
  ReadyForPieceOne(b, f[0], "a:");
  b.ui.Msg(kAnswerOk).Click("c:").Ok();

  AssemblePiece(*b.form);

  EXPECT_TRUE(b.ui.done());
  auto m = b.ui.messages().at(0);
  EXPECT_EQ(m.text, "Target of restore can not be a removable disk.");
  EXPECT_EQ(m.title, "Tavrix | Won't let you do it!");
  EXPECT_EQ(m.style, 16);
  EXPECT_EQ(b.form->r.TargetDrive, "c:\\");
  EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"Tx~Start.OK"});
  EXPECT_TRUE(b.form->r.RestoreActive);
}

TEST(TargetChecks, ACdRomTargetWithNoOtherDriveGivenEndsTheRestore) {
  Bench b;
  b.AddDrive('e', kDriveCdrom);
  auto f = WriteSet(b, Bench::VariedBytes(2000, 1), 2);
  ReadyForPieceOne(b, f[0], "e:");
  b.ui.Msg(kAnswerOk).Cancel();

  AssemblePiece(*b.form);

  EXPECT_EQ(MessageTexts(b.ui),
            std::vector<std::string>{"Target of restore can not be a cd-rom like drive."});
  EXPECT_FALSE(b.form->r.RestoreActive);
  EXPECT_EQ(b.form->r.SerialNumber, "");  // CleanUp ran
  EXPECT_TRUE(DirNames(b.c_dir).empty());
  EXPECT_TRUE(DirNames(b.root + "/e").empty());
}

TEST(TargetChecks, APieceFitsExactlyInTheFreeSpaceButNotWithOneByteMore) {
  struct Case {
    int64_t piece;
    bool fits;
  } cases[] = {{4096, true}, {4097, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.piece);
    Bench b;
    SmallTargetDisk(b, 8);  // 4,096 bytes free
    auto f = WriteSet(b, Bench::VariedBytes(c.piece * 2, 2), 2);
    ReadyForPieceOne(b, f[0], "c:");
    if (!c.fits) b.ui.Msg(kAnswerOk);

    AssemblePiece(*b.form);

    EXPECT_TRUE(b.ui.done());
    if (c.fits) {
      EXPECT_TRUE(b.ui.messages().empty());
      EXPECT_EQ(Bench::ReadFile(b.c_dir + "/Tx~Start.OK").size(), static_cast<size_t>(c.piece));
      EXPECT_TRUE(b.form->r.RestoreActive);
    } else {
      auto m = b.ui.messages().at(0);
      EXPECT_EQ(m.text, "File will not fit on the target disk");
      EXPECT_EQ(m.title, "Tavrix | Not enough space on target disk ...");
      EXPECT_EQ(m.style, 16);
      EXPECT_FALSE(b.form->r.RestoreActive);
      EXPECT_TRUE(DirNames(b.c_dir).empty());
    }
  }
}

TEST(TargetChecks, AWholeFileTooLargeStopsOnlyTheStepAndTheSameFloppyIsTakenNextTime) {
  Bench b;
  SmallTargetDisk(b, 40);  // 20,480 bytes
  std::string data = Bench::VariedBytes(6000, 3);
  auto f = WriteSet(b, data, 3, {.record_size = 30000});
  b.Insert(f[2]);
  b.ui.Click("a:").Ok().Click("c:").Ok();
  b.ui.Msg(kAnswerOk);  // the file will not fit
  b.ui.Msg(kAnswerOk);  // the same floppy again
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[0]); });
  b.ui.Msg(kAnswerOk, [&] { b.Insert(f[1]); });
  b.ui.Msg(kAnswerOk);  // the size warning at the end
  std::vector<std::string> after_refusal;
  int pieces_after_refusal = -1;
  b.ui.on_yield = [&] {
    if (pieces_after_refusal < 0 &&
        b.form->Text(StatusText::kWriteDisplayLbl).rfind("Space on", 0) == 0) {
      pieces_after_refusal = b.form->r.PieceCount;
      after_refusal = DirNames(b.c_dir);
    }
  };

  mnu_Restore_Click(*b.form);

  EXPECT_TRUE(b.ui.done());
  auto m = b.ui.messages().at(0);
  EXPECT_EQ(m.text, "Total restore file will not fit on the target disk");
  EXPECT_EQ(m.title, "Tavrix | Not enough space on target disk ...");
  EXPECT_EQ(m.style, 16);
  EXPECT_EQ(pieces_after_refusal, 0);
  EXPECT_TRUE(after_refusal.empty());
  EXPECT_EQ(b.ui.messages().at(1).text, "Please insert another disk of this set\r\n");
  EXPECT_TRUE(testing::Logged(b.ui, "Label2: Writing to c:\\Tx~Hold.3"));
  EXPECT_EQ(DirNames(b.c_dir), std::vector<std::string>{"BIG.BIN"});
  EXPECT_TRUE(Bench::ReadFile(b.c_dir + "/BIG.BIN") == data);
  // The record's size was never the file's.
  EXPECT_EQ(b.ui.messages().back().title, "Tavrix | Careful...");
  EXPECT_FALSE(b.form->outcome.restore_size_matched);
}

}  // namespace
}  // namespace tavrix
