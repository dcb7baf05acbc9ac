#include "split/split_driver.h"

#include <cstdio>
#include <ctime>

#include "format/control_record.h"
#include "format/number_text.h"
#include "format/piece_name.h"
#include "restore/main_form.h"
#include "split/error_report.h"
#include "split/floppy_writer.h"
#include "split/progress.h"

namespace tavrix {

namespace {

// Sizes from 2^31 on do not fit the record's size line for every reader.
constexpr int64_t kMaxSourceSize = int64_t{1} << 31;

// True when the source cannot fit on 1000 floppies of the chosen drive's
// capacity less one cluster each.  A drive that cannot be measured is not
// judged here; the writer still stops before floppy 1001.
bool NeedsTooManyFloppies(const MainForm& form, const std::string& drive) {
  SpaceFigures f = form.platform.SpaceQuery(drive + "\\");
  int64_t cluster = f.sectors_per_cluster * f.bytes_per_sector;
  int64_t per_floppy = cluster * f.total_clusters - cluster;
  if (per_floppy <= 0) return false;
  return form.r.SourceSize > per_floppy * kMaxPieces;
}

// Today as mm-dd-yyyy, the description's default.
std::string TodayText(const MainForm& form) {
  std::tm now = form.clock.now();
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", now.tm_mon + 1, now.tm_mday, now.tm_year + 1900);
  return buf;
}

// True when this set's marker is on the floppy in the drive.  A drive
// without its floppy raises 68 when `raise_unavailable`, else answers false.
// Other errors are reported and end the program.
bool MarkerPresent(MainForm& form, const std::string& marker, bool raise_unavailable) {
  try {
    return form.platform.Exists(marker);
  } catch (const Error& e) {
    if (e.number() != kDeviceUnavailable) ReportFatal(form, e);
    if (raise_unavailable) throw;
    return false;
  }
}

// Writes the control record onto the last floppy of the set and flushes it.
// The record goes only onto a floppy that carries this set's marker: until
// one is in the drive the last floppy is asked for, so no other set's
// record is ever replaced.  68 (the floppy taken out at the description
// prompt) offers Retry (Cancel ends the program); after a Retry an empty
// drive is one more floppy without the marker.  Anything else is reported
// and ends the program.
void WriteControlRecord(MainForm& form, const std::string& drive, const ControlRecord& record) {
  const std::string path = drive + "\\" + kControlFileName;
  const std::string marker = drive + kSerialPrefix + form.r.SerialNumber;
  bool retried = false;
  for (;;) {
    try {
      while (!form.r.SerialNumber.empty() && !MarkerPresent(form, marker, !retried)) {
        int answer = form.ui.MsgBox("Insert floppy #" + Str(form.r.PieceCount),
                                    "Tavrix | More please ...", kIconExclamation + kStyleOkCancel);
        if (answer != kAnswerOk) throw ProgramExit{1};
      }
      // Sized for the floppy now in the drive: what it has free, plus what
      // a record of the same name already there would give back.
      SpaceFigures f = form.platform.SpaceQuery(drive);
      int64_t cluster = f.sectors_per_cluster * f.bytes_per_sector;
      int64_t room = cluster * f.free_clusters;
      if (cluster > 0 && form.platform.Exists(path)) {
        room += (form.platform.FileLen(path) + cluster - 1) / cluster * cluster;
      }
      std::string bytes = FormatControlRecord(FitControlRecord(record, room, cluster));
      File out = form.platform.Open(path, OpenMode::kWriteText);
      out.WriteAt(bytes.data(), static_cast<int64_t>(bytes.size()), 0);
      out.Close();
      form.platform.FlushToMedium(path);
      return;
    } catch (const Error& e) {
      if (e.number() != kDeviceUnavailable) ReportFatal(form, e);
      DriveNotReady(form);
      retried = true;
    }
  }
}

}  // namespace

void Copy_btn_Click(MainForm& form) {
  RunRecord& r = form.r;
  const std::string drive = form.Drive1.drive.substr(0, 2);

  // Refusals come before anything is written; the run is over, so the
  // window the split command enlarged for it goes back down.
  auto refuse = [&form](const std::string& text) {
    form.ui.MsgBox(text, kFileTooLargeTitle, kIconCritical + kStyleOk);
    ResizeWindow(form, 0);
  };
  if (r.SourceSize >= kMaxSourceSize) {
    refuse("Files of 2 GB or more cannot be split.");
    return;
  }
  if (NeedsTooManyFloppies(form, drive)) {
    refuse(kTooManyFloppiesText);
    return;
  }

  r.BytesLeft = r.SourceSize;
  r.PieceCount = 1;
  if (r.DriveFreeBytes > r.SourceSize) {
    form.ui.MsgBox("This file fits on a single floppy", "Not a job for Tavrix",
                   kIconInformation + kStyleOk);
  }
  // The first name is shown as a piece with a successor; the writer corrects it.
  std::string first = PieceName(r.PieceCount, 2);
  form.SetText(StatusText::kLabel2, "Writing to " + drive + "\\" + first);
  form.DoEvents();
  if (first == "NOT VALID") {
    form.ui.MsgBox("Error trying to create a target filename", "Error", kIconCritical + kStyleOk);
    throw ProgramExit{1};
  }

  std::tm modified = form.platform.FileDateTime(r.SourceFile);
  r.SourceFileNo = form.platform.Open(r.SourceFile, OpenMode::kRead);
  for (;;) {
    while (!WriteFloppy(form, r.PieceCount)) {
    }
    if (r.BytesWritten >= r.SourceSize) break;
    ++r.PieceCount;
  }
  r.SourceFileNo.Close();

  SetActivity(form, 0);
  form.SetText(StatusText::kLabel1, "Done splitting file ... creating control record ...");
  form.SetText(StatusText::kLabel2, "");
  ResizeWindow(form, 0);
  form.DoEvents();

  std::optional<std::string> typed =
      form.ui.InputBox("Please enter a description for this disk set",
                       "Tavrix Split File Description", TodayText(form));
  ControlRecord record;
  record.source_path = r.SourceFile;
  record.date = ControlRecordDate(modified);
  record.pieces = r.PieceCount;
  record.size = r.SourceSize;
  record.serial = r.SerialNumber;
  record.description = typed && !typed->empty() ? *typed : kNoDescription;
  WriteControlRecord(form, drive, record);
  form.outcome.split_done = true;

  form.SetText(StatusText::kLabel1, "Done");
  r.SourceFile = "";
  r.SourceSize = 0;
  r.BytesLeft = 0;
  form.w.copy_btn_enabled = false;
}

}  // namespace tavrix
