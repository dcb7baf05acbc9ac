#include "drives/drive_picker.h"

#include "drives/disk_info.h"
#include "drives/drive_lists.h"
#include "drives/space_query.h"
#include "format/number_text.h"
#include "format/set_files.h"
#include "restore/main_form.h"

namespace tavrix {

namespace {

constexpr int kSplitMode = 1;
constexpr int kRestoreMode = 2;

// Points File1 at `drive`, offering Retry while the drive is not ready.
// Returns false when the user cancels; raises any other error.
bool PointFile1WithRetry(MainForm& form, const std::string& drive) {
  for (;;) {
    try {
      PointFile1(form, drive);
      return true;
    } catch (const Error& e) {
      if (e.number() != kDeviceUnavailable) throw;
      int answer =
          form.ui.MsgBox("Target drive " + drive + " is not ready or available.",
                         "Tavrix | Where's the device?", kIconCritical + kStyleRetryCancel);
      if (answer != kAnswerRetry) return false;
    }
  }
}

}  // namespace

void RestoreFrm::Form_Load() {
  caption_.clear();
  prompt_.clear();
  if (form_.r.DialogMode == kRestoreMode) {
    caption_ = "Tavrix Restore";
    prompt_ = "Select a drive to restore from the following:";
  } else if (form_.r.DialogMode == kSplitMode) {
    caption_ = "Tavrix File Split";
    prompt_ = "Select a drive to split a file to:";
  }
  form_.r.FloppyDrive = "";
  entries_.clear();
  for (const auto& entry : form_.platform.drives().Entries()) {
    std::string d = entry.designation();
    if (form_.platform.DriveType(d) == kDriveRemovable) entries_.push_back(d);
  }
  selected_ = -1;
  closed_ = false;
}

void RestoreFrm::List1_Click(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  selected_ = index;
  const std::string d = entries_[static_cast<size_t>(index)];
  form_.r.FloppyDrive = "";
  try {
    if (form_.r.DialogMode == kRestoreMode) {
      if (!PointFile1WithRetry(form_, d)) return;
      if (form_.File1.names.empty()) {
        form_.ui.MsgBox("There are no files on that diskette.\r\nReplace the floppy and try again.",
                        "Tavrix | Where's the file(s)?", kIconCritical + kStyleOk);
        return;
      }
      form_.r.FloppyDrive = d;
    } else if (form_.r.DialogMode == kSplitMode) {
      MeasureDrive(form_, d);
      // On Retry the measurement above is not taken again.
      if (!PointFile1WithRetry(form_, d)) return;
      // A floppy of an old set is full but for one cluster; the writer asks
      // whether to delete that set's files, which frees it.
      bool too_full = form_.r.DriveFreeBytes <= form_.r.DriveClusterBytes &&
                      OtherSetFiles(form_.File1.names, form_.r.SerialNumber).empty();
      if (too_full) {
        form_.ui.MsgBox("There is too little space left on that diskette.",
                        "Tavrix | Need floppies with space!", kIconCritical + kStyleOk);
        return;
      }
      form_.r.FloppyDrive = d;
    }
  } catch (const Error& e) {
    form_.ui.MsgBox("Error " + Str(e.number()) + ": " + e.text(), "Unexpected Error",
                    kIconCritical + kStyleOk);
    form_.r.FloppyDrive = "";
  }
}

void RestoreFrm::Ok_btn_Click() {
  if (form_.r.FloppyDrive.empty()) {
    form_.ui.MsgBox("You have not selected a drive to restore a file from.",
                    "Tavrix | No restore will take place", kIconQuestion + kStyleOk);
  } else {
    FloppyEstimate(form_, form_.r.FloppyDrive);
  }
  closed_ = true;
}

void RestoreFrm::Command1_Click() {
  form_.r.FloppyDrive = "";
  closed_ = true;
}

void ShowRestoreFrm(MainForm& form) {
  RestoreFrm picker(form);
  picker.Form_Load();
  form.ui.ShowPicker(picker);
}

}  // namespace tavrix
