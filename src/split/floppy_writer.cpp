#include "split/floppy_writer.h"

#include <vector>

#include "drives/disk_info.h"
#include "format/number_text.h"
#include "format/piece_name.h"
#include "format/serial_number.h"
#include "format/set_files.h"
#include "restore/main_form.h"
#include "split/error_report.h"
#include "split/progress.h"

namespace tavrix {

namespace {

struct Piece {
  int64_t length = 0;
  bool last = false;
  std::string name;
  std::string path;
};

class FloppyWriter {
 public:
  FloppyWriter(MainForm& form, int number)
      : form_(form), r_(form.r), number_(number), drive_(form.Drive1.drive.substr(0, 2)) {}

  // Returns done; ends the program on Cancel or a fatal error.
  bool Run();

 private:
  // The checks a floppy passes before its piece is written; `prompted` adds
  // the prompt's own (re-measure, no space at all, this set's marker).
  // Returns false when the floppy is refused.
  bool Check(bool prompted);
  // Deletes the piece left partly written on a pulled floppy, when the
  // floppy now in the drive is that one.
  void DropPartialPiece();
  // The floppy's file names (none when the listing is not found).
  std::vector<std::string> ListFloppy();
  void Remeasure();
  // "Tavrix | Floppy already used!"; returns false (refused).
  bool RefuseNoSpace();
  // Sizes and names the piece from the last measurement and shows it.
  Piece SizePiece();
  // Writes the piece, makes the serial after piece 1, leaves the marker and
  // flushes both to the medium.  Raises the platform's errors.
  void WritePiece(const Piece& piece);

  MainForm& form_;
  RunRecord& r_;
  int number_;
  std::string drive_;
};

bool FloppyWriter::Run() {
  if (number_ > kMaxPieces) {
    // Smaller floppies than the first were inserted: the set would outgrow
    // what the format can number.  The floppies written so far stay.
    form_.ui.MsgBox(kTooManyFloppiesText, kFileTooLargeTitle, kIconCritical + kStyleOk);
    throw ProgramExit{1};
  }
  bool prompted = !r_.DriveInfoFresh;
  if (prompted) {
    SetActivity(form_, 0);
    int answer = form_.ui.MsgBox("Insert floppy #" + Str(number_), "Tavrix | More please ...",
                                 kIconExclamation + kStyleOkCancel);
    if (answer != kAnswerOk) throw ProgramExit{1};
  }
  if (!Check(prompted)) return false;
  for (;;) {
    Piece piece = SizePiece();
    try {
      WritePiece(piece);
      break;
    } catch (const Error& e) {
      // Only a pulled floppy is worth another try; anything else ends the run.
      // A piece file that vanished under us is no less fatal: skipping its
      // step would leave a set with a hole.
      if (e.number() != kDeviceUnavailable) ReportFatal(form_, e);
      r_.PartialPiece = piece.name;
      DriveNotReady(form_);
      // Whatever floppy is in the drive now must pass every check again; the
      // piece is then sized afresh and written whole from its first byte.
      if (!Check(true)) return false;
    }
  }
  r_.PartialPiece.clear();
  return true;
}

bool FloppyWriter::Check(bool prompted) {
  if (prompted) {
    // The partial piece goes first, so that the measurement counts its
    // space; listing the floppy may also have waited for it to go in.
    if (!r_.PartialPiece.empty()) DropPartialPiece();
    Remeasure();
    if (r_.DriveFreeBytes == 0) return RefuseNoSpace();
    if (!r_.SerialNumber.empty() && SerialFileExists(form_)) {
      form_.ui.MsgBox(
          "This floppy has already been used for this file split set.\r\n"
          "Please insert a different floppy and select Split from the menu.",
          "Tavrix | Floppy already used.", kIconCritical + kStyleOk);
      return false;
    }
  }
  // A second set's marker or piece beside ours would make the restore take
  // the wrong one; both sets would be lost.
  std::vector<std::string> others = OtherSetFiles(ListFloppy(), r_.SerialNumber);
  if (!others.empty()) {
    int answer = form_.ui.MsgBox(
        "This floppy holds files of another Tavrix set.\r\nDelete them and use this floppy?",
        "Tavrix | Floppy of another set", kIconQuestion + kStyleYesNo);
    if (answer != kAnswerYes) return false;
    for (const auto& name : others) {
      ShapeA(form_, [&] { form_.platform.Kill(drive_ + "\\" + name); });
    }
    Remeasure();
  }
  // One cluster or less would give a 0-byte piece, which no restore takes.
  if (r_.DriveFreeBytes <= r_.DriveClusterBytes) return RefuseNoSpace();
  return true;
}

void FloppyWriter::DropPartialPiece() {
  std::string partial;
  std::string own_marker;
  for (const auto& name : ListFloppy()) {
    if (IsMarkerOf(name, r_.SerialNumber)) {
      own_marker = name;
    } else if (IsMarkerName(name)) {
      return;  // a floppy of another set: its files are the user's to keep
    }
    if (SameName(name, r_.PartialPiece)) partial = name;
  }
  if (partial.empty()) return;
  // Only the floppy being written holds this piece's name; a marker of ours
  // beside it was left when the floppy was pulled after the piece.
  ShapeA(form_, [&] { form_.platform.Kill(drive_ + "\\" + partial); });
  if (!own_marker.empty()) ShapeA(form_, [&] { form_.platform.Kill(drive_ + own_marker); });
  r_.PartialPiece.clear();
}

std::vector<std::string> FloppyWriter::ListFloppy() {
  std::vector<std::string> names;
  ShapeA(form_, [&] { names = form_.platform.ListFiles(drive_ + "\\"); });
  return names;
}

void FloppyWriter::Remeasure() {
  ShapeA(form_, [&] { Drive1_Change(form_); });
}

bool FloppyWriter::RefuseNoSpace() {
  form_.ui.MsgBox(
      "There is no space left on this target floppy.\r\nPlease insert a different floppy when "
      "prompted.",
      "Tavrix | Floppy already used!", kIconCritical + kStyleOkCancel);
  return false;
}

Piece FloppyWriter::SizePiece() {
  Piece piece;
  // One cluster stays free on every floppy.
  int64_t capacity = r_.DriveFreeBytes - r_.DriveClusterBytes;
  piece.last = capacity >= r_.BytesLeft;
  piece.length = piece.last ? r_.BytesLeft : capacity;
  piece.name = PieceName(number_, piece.last ? -1 : 0);
  piece.path = drive_ + "\\" + piece.name;
  form_.SetText(StatusText::kLabel2, "Writing to " + piece.path + (piece.last ? " (last)" : ""));
  if (piece.name == "NOT VALID") {
    form_.ui.MsgBox("Error trying to create a target filename", "Error", kIconCritical + kStyleOk);
    throw ProgramExit{1};
  }
  form_.DoEvents();
  return piece;
}

void FloppyWriter::WritePiece(const Piece& piece) {
  // An older file of the same name is emptied, so the piece file holds
  // exactly the piece.
  File out = form_.platform.Open(piece.path, OpenMode::kWriteText);
  int64_t copied = CopyBytes(form_, r_.SourceFileNo, r_.BytesWritten, out, 0, piece.length);
  // The source is shorter than when it was measured: the set would not
  // hold what its record claims.
  if (copied != piece.length) Raise(kFileAccessError, r_.SourceFile);
  out.Close();
  form_.platform.FlushToMedium(piece.path);

  if (r_.SerialNumber.empty()) r_.SerialNumber = MakeSerial(form_.clock);
  std::string marker = drive_ + kSerialPrefix + r_.SerialNumber;
  File mark = form_.platform.Open(marker, OpenMode::kWriteText);
  mark.Close();
  // The user may take the floppy out at the next prompt.
  form_.platform.FlushToMedium(marker);

  r_.BytesWritten += piece.length;
  r_.BytesLeft = r_.SourceSize - r_.BytesWritten;
}

}  // namespace

bool WriteFloppy(MainForm& form, int number) {
  bool done = FloppyWriter(form, number).Run();
  form.r.DriveInfoFresh = false;
  return done;
}

}  // namespace tavrix
