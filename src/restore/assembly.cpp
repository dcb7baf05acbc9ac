#include "restore/assembly.h"

#include <cctype>

#include "drives/drive_lists.h"
#include "format/control_record.h"
#include "format/number_text.h"
#include "format/piece_name.h"
#include "restore/completion.h"
#include "restore/held_pieces.h"
#include "restore/main_form.h"
#include "restore/target_checks.h"
#include "restore/target_name.h"
#include "split/error_report.h"
#include "split/progress.h"

namespace tavrix {

namespace {

constexpr int64_t kPieceNumberLimit = 32767;

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Where the current piece goes, and the run fields that choice sets.
struct Destination {
  std::string path;
  bool holding = false;
  int prev_piece = 0;
  bool start_file_used = false;
  bool name_file_used = false;
};

// Makes way for piece 1 in the start file.  A start file already there may
// be the finished result of an earlier restore, so the user decides.
// Returns false after CleanUp when it is to be kept; raises the platform's
// errors.
bool ClearStartFile(MainForm& form, const std::string& start) {
  if (!FileExists(form, start)) return true;
  int answer = form.ui.MsgBox(
      "File " + start + " is already on the target disk.\r\nDelete the one on the target?",
      "Tavrix | More options follow ...", kStyleYesNo);
  if (answer == kAnswerNo) {
    form.CleanUp();
    return false;
  }
  form.platform.Kill(start);
  return true;
}

// Chooses where piece n goes.  Returns false when the step stops.
bool ChooseDestination(MainForm& form, int n, Destination* d) {
  RunRecord& r = form.r;
  const std::string start = r.TargetDrive + kStartFileName;
  d->prev_piece = r.PrevPiece;
  d->start_file_used = r.StartFileUsed;
  d->name_file_used = r.NameFileUsed;
  if (n == 1) {
    if (r.OriginalName.empty() || NameTaken(form, r.OriginalName)) {
      if (!ClearStartFile(form, start)) return false;
      d->path = start;
      d->start_file_used = true;
    } else {
      d->path = r.OriginalName;
      d->name_file_used = true;
    }
    d->prev_piece = 1;
  } else if (r.PieceDone[1] == 1 && r.PrevPiece + 1 == n) {
    // The direct successor of the last piece appended continues the
    // assembly file.
    if (!r.NameFileUsed) {
      d->path = start;
      d->start_file_used = true;
    } else {
      d->path = r.OriginalName;
    }
    d->prev_piece = n;
  } else {
    d->path = HoldFilePath(form, n);
    d->holding = true;
  }
  form.DoEvents();
  return true;
}

// The step itself; raises the platform's errors to AssemblePiece.
void RunStep(MainForm& form) {
  RunRecord& r = form.r;
  PointFile1(form, r.SourceFile.substr(0, 2));
  r.TargetDrive = form.Drive1.drive.substr(0, 2);
  if (!CheckTargetDriveType(form)) return;
  r.TargetDrive += "\\";
  auto [n, next] = ParsePieceName(r.SourceFile);
  // The tables hold pieces 1..1000 only; refuse before anything is written.
  if (n < 1 || n > kMaxPieces) Raise(kIndexOutOfRange, r.SourceFile);
  if (!CheckPieceFits(form)) return;

  if (next == 0) {
    r.LastPiece = n;
    form.SetText(StatusText::kLabel7, "Set ends at " + Str(n));
    form.DoEvents();
  }
  if (n == 1 && next == 0) {
    form.ui.MsgBox("You don't need Tavrix for single file operations", "Tavrix | For bigger jobs",
                   kIconInformation + kStyleOk);
    form.CleanUp();
    return;
  }
  if (next > r.HighestNext) {
    r.HighestNext = next;
    if (r.LastPiece < 2) {
      form.SetText(StatusText::kLabel7, "So far, set goes to " + Str(r.HighestNext));
      form.DoEvents();
    } else {
      form.SetText(StatusText::kLabel7, "Set ends at " + Str(r.LastPiece));
    }
  }

  Destination d;
  if (!ChooseDestination(form, n, &d)) return;

  if (n == r.LastPiece && r.RecordSerial.empty()) {
    try {
      ReadControlRecord(form);
    } catch (const Error& e) {
      // A last floppy without its record: nothing is loaded and the file is
      // still rebuilt, under the start file's name.
      if (e.number() != kFileNotFound) throw;
    }
    // The choice above is not yet recorded: a piece stopped here is chosen
    // afresh when its floppy comes again.
    if (!CheckWholeFileFits(form)) return;
  }

  r.WritePath = d.path;
  r.Holding = d.holding;
  r.PrevPiece = d.prev_piece;
  r.StartFileUsed = d.start_file_used;
  r.NameFileUsed = d.name_file_used;

  form.SetText(StatusText::kLabel1, "Reading " + r.SourceFile);
  form.SetText(StatusText::kLabel2, "Writing to " + r.WritePath);
  form.DoEvents();

  if (r.PieceCount >= kMaxPieces) Raise(kIndexOutOfRange, r.SourceFile);
  // Read only: a write-protected floppy restores as any other.
  File piece = form.platform.Open(r.SourceFile, OpenMode::kRead);
  if (r.Holding) {
    // A hold file left by an interrupted restore must not keep its tail.
    form.platform.Open(r.WritePath, OpenMode::kWriteText).Close();
  }
  CopyPiece(form, r.WritePath, piece, r.SourceSize);
  piece.Close();
  SetActivity(form, 0);

  ++r.PieceCount;
  r.ProcessedFiles[r.PieceCount] = r.SourceFile;
  r.PieceDone[n] = n;
  if (r.Holding) r.PieceHeld[n] = n;

  if (r.PieceCount == r.LastPiece) {
    FinishRestore(form);
  } else {
    r.RestoreActive = true;
  }
}

}  // namespace

std::pair<int, int> ParsePieceName(const std::string& source_file) {
  size_t at = Upper(source_file).find(Upper(kPrefix));
  if (at == std::string::npos) Raise(kInvalidArgument, source_file);
  std::string rest = source_file.substr(at + std::string(kPrefix).size());
  size_t dot = rest.find('.');
  if (dot == std::string::npos) Raise(kInvalidArgument, source_file);
  bool overflow_n = false;
  bool overflow_next = false;
  int64_t n = LeadingNumber(rest.substr(0, dot), kPieceNumberLimit, &overflow_n);
  int64_t next = LeadingNumber(rest.substr(dot + 1), kPieceNumberLimit, &overflow_next);
  if (overflow_n || overflow_next) Raise(kOverflow, source_file);
  return {static_cast<int>(n), static_cast<int>(next)};
}

void AssemblePiece(MainForm& form) {
  try {
    RunStep(form);
  } catch (const Error& e) {
    if (e.number() == kEndRestoreStep) return;
    if (e.number() == kFileAlreadyExists) {
      // The moves that may meet a taken name go on by themselves
      // (completion.cpp); one that reaches here ends the step.
      form.ui.MsgBox(e.text(), "Error", kIconCritical + kStyleOk);
      return;
    }
    form.ui.MsgBox("Error " + Str(e.number()) + " = " + e.text(), "Error",
                   kIconCritical + kStyleOk);
    throw ProgramExit{1};
  }
}

}  // namespace tavrix
