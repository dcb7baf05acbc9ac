// The main window's record and its reset.
#include <gtest/gtest.h>

#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

TEST(CleanUp, ResetsEveryFieldButWritePathAndTheTexts) {
  Bench bench;
  MainForm& form = *bench.form;
  RunRecord& r = form.r;
  r.SourceFile = "a:\\Tx~3.4";
  r.SourceSize = 5;
  r.PieceCount = 3;
  r.SerialNumber = "Tx~SN235.714";
  r.DialogMode = 2;
  r.FloppyDrive = "a:";
  r.AppendPos = 9;
  r.RestoreActive = true;
  r.OriginalName = "c:\\big.zip";
  r.OriginalDate = "d";
  r.RecordPieces = 4;
  r.OriginalSize = 10;
  r.RecordSerial = "235.714";
  r.SetDescription = "x";
  r.LastPiece = 4;
  r.PieceDone[1] = 1;
  r.PieceHeld[1000] = 1000;
  r.ProcessedFiles[1000] = "a:\\Tx~1000.0";
  r.HighestNext = 4;
  r.Holding = true;
  r.PrevPiece = 2;
  r.TargetDrive = "c:\\";
  r.StartFileUsed = true;
  r.NameFileUsed = true;
  r.CommandLine = "x a";
  r.DriveClusterBytes = 512;
  r.DriveFreeBytes = 1024;
  r.DriveFreeClusters = 2;
  r.BytesWritten = 7;
  r.BytesLeft = 8;
  r.DriveInfoFresh = true;
  r.WritePath = "c:\\Tx~Start.OK";
  form.SetCaption("Tavrix <> my set");
  form.SetText(StatusText::kLabel1, "Restore is completed");

  form.CleanUp();

  EXPECT_EQ(form.Text(StatusText::kCaption), "Tavrix");
  EXPECT_EQ(form.Text(StatusText::kLabel1), "Restore is completed");
  EXPECT_EQ(r.WritePath, "c:\\Tx~Start.OK");
  EXPECT_EQ(r.SourceFile, "");
  EXPECT_EQ(r.SourceSize, 0);
  EXPECT_EQ(r.PieceCount, 0);
  EXPECT_EQ(r.SerialNumber, "");
  EXPECT_EQ(r.DialogMode, 0);
  EXPECT_EQ(r.FloppyDrive, "");
  EXPECT_EQ(r.AppendPos, 0);
  EXPECT_FALSE(r.RestoreActive);
  EXPECT_EQ(r.OriginalName, "");
  EXPECT_EQ(r.OriginalDate, "");
  EXPECT_EQ(r.RecordPieces, 0);
  EXPECT_EQ(r.OriginalSize, 0);
  EXPECT_EQ(r.RecordSerial, "");
  EXPECT_EQ(r.SetDescription, "");
  EXPECT_EQ(r.LastPiece, 0);
  EXPECT_EQ(r.PieceDone[1], 0);
  EXPECT_EQ(r.PieceHeld[1000], 0);
  EXPECT_EQ(r.ProcessedFiles[1000], "");
  EXPECT_EQ(r.HighestNext, 0);
  EXPECT_FALSE(r.Holding);
  EXPECT_EQ(r.PrevPiece, 0);
  EXPECT_EQ(r.TargetDrive, "");
  EXPECT_FALSE(r.StartFileUsed);
  EXPECT_FALSE(r.NameFileUsed);
  EXPECT_EQ(r.CommandLine, "");
  EXPECT_EQ(r.DriveClusterBytes, 0);
  EXPECT_EQ(r.DriveFreeBytes, 0);
  EXPECT_EQ(r.DriveFreeClusters, 0);
  EXPECT_EQ(r.BytesWritten, 0);
  EXPECT_EQ(r.BytesLeft, 0);
  EXPECT_FALSE(r.DriveInfoFresh);
}

TEST(CleanUp, StatusChangesReachTheFrontEndOnlyWhenTheTextChanges) {
  Bench bench;
  MainForm& form = *bench.form;
  size_t before = bench.ui.status_log().size();
  form.SetText(StatusText::kLabel2, "Writing to a:\\Tx~1.2");
  form.SetText(StatusText::kLabel2, "Writing to a:\\Tx~1.2");
  form.CleanUp();  // the caption is "Tavrix" already
  ASSERT_EQ(bench.ui.status_log().size(), before + 1);
  EXPECT_EQ(bench.ui.status_log().back(), "Label2: Writing to a:\\Tx~1.2");
}

}  // namespace
}  // namespace tavrix
