#include "restore/floppy_scan.h"

#include <cctype>

#include "drives/drive_lists.h"
#include "drives/drive_picker.h"
#include "drives/number_format.h"
#include "format/control_record.h"
#include "format/piece_name.h"
#include "format/set_files.h"
#include "restore/main_form.h"
#include "restore/next_disk.h"
#include "restore/target_name.h"
#include "split/error_report.h"
#include "split/progress.h"

namespace tavrix {

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool StartsWithIgnoringCase(const std::string& name, const std::string& prefix) {
  return name.size() >= prefix.size() && Upper(name.substr(0, prefix.size())) == Upper(prefix);
}

bool IsControlFile(const std::string& name) {
  return Upper(name) == Upper(kControlFileName);
}

bool IsMarker(const std::string& name) {
  return StartsWithIgnoringCase(name, kSerialPrefix);
}

// Piece files are told by their prefix.  Only a lower-case ".dat" rules a
// name out, as other programs of the format expect; the control file is
// never a piece, in whatever case it is listed.
bool IsPieceFile(const std::string& name) {
  return StartsWithIgnoringCase(name, kPrefix) && name.find(".dat") == std::string::npos &&
         !IsMarker(name) && !IsControlFile(name);
}

// What one listing of the floppy showed.
struct Listing {
  std::string sn_file_name;
  bool control_pending = false;
  int piece_files = 0;
  int markers = 0;

  // Files of two sets at once: the one listed last would count.
  bool two_sets() const { return piece_files > 1 || markers > 1; }
};

// Reads the control record of the floppy being listed.  A control file
// gone meanwhile (53) is passed over as if it were not listed.
void ReadRecordOfListing(MainForm& form) {
  RunRecord& r = form.r;
  // The reader finds the floppy by the drive part of SourceFile, still
  // empty while no piece file has been listed yet.
  bool borrowed = r.SourceFile.empty();
  if (borrowed) r.SourceFile = form.File1.path;
  try {
    ReadControlRecord(form);
  } catch (const Error& e) {
    if (borrowed) r.SourceFile.clear();
    if (e.number() != kFileNotFound) throw;
    return;
  }
  if (borrowed) r.SourceFile.clear();
}

// Classifies every name of File1 in order.  Raises the platform's errors.
void Classify(MainForm& form, Listing* l) {
  RunRecord& r = form.r;
  for (const std::string& name : form.File1.names) {
    // A record is loaded once; its serial line is never empty.
    if (IsControlFile(name) && r.RecordSerial.empty()) {
      if (!l->sn_file_name.empty()) {
        ReadRecordOfListing(form);
      } else {
        l->control_pending = true;
      }
    }
    if (IsPieceFile(name)) {
      std::string path = form.File1.path + name;
      int64_t size = 0;
      try {
        size = form.platform.FileLen(path);
      } catch (const Error& e) {
        if (e.number() != kFileNotFound) throw;
        continue;  // gone since the listing
      }
      ++l->piece_files;
      r.SourceFile = path;
      r.SourceSize = size;
      form.SetText(StatusText::kReadDisplayLbl,
                   "Reading " + FormatGrouped(size, form.thousands_sep) + " bytes.");
    }
    if (IsMarker(name)) {
      ++l->markers;
      l->sn_file_name = name;
      if (l->control_pending) {
        ReadRecordOfListing(form);
        l->control_pending = false;
      }
    }
  }
}

// Lists and classifies the floppy; `reread` re-reads the directory first.
// Returns false when the user cancelled at "Drive is not ready"; other
// errors are reported and end the program.
bool ReadFloppy(MainForm& form, bool reread, Listing* l) {
  RunRecord& r = form.r;
  for (;;) {
    r.SourceFile.clear();
    r.SourceSize = 0;
    *l = Listing{};
    try {
      if (reread) RereadFile1(form);
      Classify(form, l);
      return true;
    } catch (const Error& e) {
      if (e.number() != kDeviceUnavailable) ReportFatal(form, e);
      // The user pressed OK before the floppy was in: Cancel leaves the
      // restore in progress, as a refused floppy does.
      int answer = form.ui.MsgBox("Drive is not ready", "Error", kIconCritical + kStyleRetryCancel);
      if (answer != kAnswerRetry) return false;
      reread = true;
    }
  }
}

// The first failing check's message, or nullptr when the floppy is accepted.
const char* Refusal(const MainForm& form, const Listing& l, bool judged_as_first) {
  const RunRecord& r = form.r;
  if (r.SourceFile.empty()) return "No valid Tavrix restore data file was found.";
  if (r.SourceSize == 0) return "File on floppy is 0 bytes.";
  if (l.sn_file_name.empty()) return "No Serial Number file found on floppy.";
  if (!judged_as_first) {
    if (l.sn_file_name != r.SerialNumber)
      return "Serial Number found on floppy does not match current restore.";
    // A copy of a floppy may list the same piece in another case (TX~2.3
    // for Tx~2.3): it is the same piece, and taking it twice would count a
    // missing piece as in.
    for (int k = 1; k <= r.PieceCount; ++k) {
      if (SameName(r.ProcessedFiles[k], r.SourceFile))
        return "This file/floppy has already been processed.";
    }
  }
  if (l.two_sets()) return "This floppy holds files of more than one Tavrix set.";
  return nullptr;
}

}  // namespace

bool ScanFloppy(MainForm& form) {
  RunRecord& r = form.r;
  bool first = !r.RestoreActive;
  if (first) {
    form.CleanUp();
    ClearDisplay(form);
    form.outcome.restore_completed = false;
    form.outcome.restore_size_matched = false;
    r.DialogMode = 2;
    ShowRestoreFrm(form);  // points File1 at the chosen drive and reads it
    if (r.FloppyDrive.empty()) {
      r.DialogMode = 3;
      return false;
    }
    r.RestoreActive = true;
  }

  Listing l;
  if (!ReadFloppy(form, !first, &l)) return false;

  // A first floppy names the set, whether or not it is accepted; so does
  // the next one when the first held files of two sets.
  bool judged_as_first = first || (r.SerialUnsettled && r.SerialNumber.empty());
  if (judged_as_first && r.SerialNumber.empty()) {
    if (l.two_sets()) {
      r.SerialUnsettled = true;
    } else if (!l.sn_file_name.empty()) {
      r.SerialNumber = l.sn_file_name;
      r.SerialUnsettled = false;
    }
  }

  if (const char* refusal = Refusal(form, l, judged_as_first)) {
    form.ui.MsgBox(std::string(refusal) + "\r\nReplace floppy and select Restore from menu.",
                   "Tavrix | Problems ...", kIconQuestion + kStyleOk);
    return false;
  }

  if (!r.TargetChosen) {
    // Nothing is written before the user has named the target.
    r.DialogMode = 2;
    if (ChooseRestoreTarget(form).empty()) return false;
    r.TargetChosen = true;
    // A record loaded before the target was known still holds its
    // recorded name.
    if (!r.RecordSerial.empty()) r.OriginalName = PlaceOriginalName(form, r.OriginalName);
    ResizeWindow(form, -1);
  }
  return true;
}

void mnu_Restore_Click(MainForm& form) {
  if (ScanFloppy(form)) Restore_btn_Click(form);
}

}  // namespace tavrix
