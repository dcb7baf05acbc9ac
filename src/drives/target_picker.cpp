#include "drives/drive_picker.h"

#include "drives/disk_info.h"
#include "drives/drive_lists.h"
#include "drives/space_query.h"
#include "format/number_text.h"
#include "restore/main_form.h"
#include "split/progress.h"

namespace tavrix {

void TargetFrm::Form_Load() {
  caption_.clear();
  prompt_.clear();
  if (form_.r.DialogMode == 2) {
    caption_ = "Tavrix Restore";
    prompt_ = "Select a drive to restore TO from the following:";
  }
  entries_.clear();
  for (const auto& entry : form_.platform.drives().Entries()) {
    std::string d = entry.designation();
    int type = form_.platform.DriveType(d);
    if (type == kDriveNoRootDir || type == kDriveFixed) entries_.push_back(d);
  }
  selected_ = -1;
  closed_ = false;
}

void TargetFrm::List1_Click(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  selected_ = index;
  const std::string d = entries_[static_cast<size_t>(index)];
  try {
    MeasureDrive(form_, d);
    if (form_.r.DriveFreeBytes < form_.r.SourceSize) {
      form_.ui.MsgBox("There is too little space left on drive " + d + ".",
                      "Tavrix | Need disk with space!", kIconCritical + kStyleOk);
      form_.r.TargetDrive = "";
      return;
    }
    form_.r.TargetDrive = d;
  } catch (const Error& e) {
    form_.ui.MsgBox("Error " + Str(e.number()) + ": " + e.text(), "Unexpected Error",
                    kIconCritical + kStyleOk);
    form_.r.TargetDrive = "";
  }
}

void TargetFrm::Ok_btn_Click() {
  if (form_.r.TargetDrive.empty()) {
    form_.ui.MsgBox("You have not selected a drive to restore files to.",
                    "Tavrix | No restore will take place", kIconQuestion + kStyleOk);
  } else {
    TargetSpaceDisplay(form_, form_.r.TargetDrive);
  }
  closed_ = true;
}

void TargetFrm::Command1_Click() {
  form_.r.TargetDrive = "";
  closed_ = true;
}

std::string ChooseRestoreTarget(MainForm& form) {
  std::string previous = form.r.TargetDrive.empty() ? "No Drive" : form.r.TargetDrive;
  form.r.TargetDrive = "";
  TargetFrm picker(form);
  picker.Form_Load();
  form.ui.ShowPicker(picker);
  // Picking the target again counts as giving none.
  if (form.r.TargetDrive.empty() || form.r.TargetDrive == previous) {
    ClearDisplay(form);
    form.CleanUp();
    return "";
  }
  SelectDrive1(form, form.r.TargetDrive);
  return form.r.TargetDrive;
}

}  // namespace tavrix
