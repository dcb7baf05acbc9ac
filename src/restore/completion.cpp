#include "restore/completion.h"

#include "format/number_text.h"
#include "format/piece_name.h"
#include "restore/held_pieces.h"
#include "restore/main_form.h"
#include "restore/target_name.h"
#include "split/error_report.h"
#include "split/progress.h"

namespace tavrix {

namespace {

// Moves `from` to `to`.  Returns false when `to` was taken (58): the
// error's text is shown and the completion goes on without the move.
bool MoveUnlessTaken(MainForm& form, const std::string& from, const std::string& to) {
  try {
    form.platform.Rename(from, to);
    return true;
  } catch (const Error& e) {
    if (e.number() != kFileAlreadyExists) throw;
    form.ui.MsgBox(e.text(), "Error", kIconCritical + kStyleOk);
    return false;
  }
}

}  // namespace

void FinishRestore(MainForm& form) {
  RunRecord& r = form.r;
  r.RestoreActive = false;
  form.SetText(StatusText::kLabel1, "Diskette handling is Done");
  form.SetText(StatusText::kLabel2, "");
  form.SetText(StatusText::kLabel7, "");
  ResizeWindow(form, 0);

  const std::string start = r.TargetDrive + kStartFileName;
  const std::string assembly = r.NameFileUsed ? r.OriginalName : start;
  r.AssemblyFileNo = form.platform.Open(assembly, OpenMode::kReadWrite);
  int added = AppendHeldPieces(form);
  int64_t length = r.AssemblyFileNo.Length();
  r.AssemblyFileNo.Close();
  r.RestoreActive = false;

  if (added > 0) {
    form.SetText(StatusText::kLabel2, Str(added) + " held files added to " + assembly);
    form.SetText(StatusText::kLabel7, "");
    form.DoEvents();
  }
  if (length != r.OriginalSize) {
    form.ui.MsgBox(
        "Restored file may not be valid.\r\nOriginal file size does not match the restored file.",
        "Tavrix | Careful...", kIconQuestion + kStyleOk);
  }
  // A size that matches means something only against an accepted record.
  bool size_matched = !r.RecordSerial.empty() && length == r.OriginalSize;

  // The user may take the disk away once told the restore is complete.
  auto completed = [&](const std::string& result) {
    form.platform.FlushToMedium(result);
    form.SetText(StatusText::kLabel1, "Restore is completed");
    form.outcome.restore_completed = true;
    form.outcome.restore_size_matched = size_matched;
  };

  if (!r.OriginalName.empty() && r.StartFileUsed) {
    if (r.WritePath == start) {
      // The last piece handled was appended.
      if (!NameTaken(form, r.OriginalName) && MoveUnlessTaken(form, start, r.OriginalName)) {
        form.SetText(StatusText::kLabel7, r.WritePath + " renamed " + r.OriginalName);
        completed(r.OriginalName);
      } else {
        form.SetText(StatusText::kLabel7, "Restored file is called " + r.WritePath);
        completed(start);
      }
      form.DoEvents();
      form.CleanUp();
      return;
    }
    // The last piece handled was parked.
    bool replace = true;
    if (form.platform.IsDirectory(r.OriginalName)) {
      replace = false;  // never deleted, so nothing to ask
    } else if (FileExists(form, r.OriginalName)) {
      int answer =
          form.ui.MsgBox("Original file " + r.OriginalName +
                             " is already on the target disk.\r\nDelete the one on the target?",
                         "Tavrix | More options follow ...", kStyleYesNo);
      replace = answer != kAnswerNo;
      if (replace) form.platform.Kill(r.OriginalName);
    }
    if (replace && MoveUnlessTaken(form, start, r.OriginalName)) {
      completed(r.OriginalName);
      form.SetText(StatusText::kLabel7, start + " renamed " + r.OriginalName);
    } else {
      completed(start);
      form.SetText(StatusText::kLabel7, "Restore file is called " + start);
    }
    form.CleanUp();
    form.DoEvents();
    return;
  }
  completed(assembly);
  form.CleanUp();
  form.DoEvents();
}

}  // namespace tavrix
