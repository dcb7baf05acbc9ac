#include "restore/target_checks.h"

#include "drives/drive_picker.h"
#include "drives/space_query.h"
#include "restore/main_form.h"

namespace tavrix {

namespace {

constexpr const char* kRefusedTitle = "Tavrix | Won't let you do it!";
constexpr const char* kNoSpaceTitle = "Tavrix | Not enough space on target disk ...";

bool Unsuitable(int type) {
  return type == kDriveRemovable || type == kDriveCdrom;
}

}  // namespace

bool CheckTargetDriveType(MainForm& form) {
  int type = form.platform.DriveType(form.r.TargetDrive);
  if (type == kDriveRemovable) {
    form.ui.MsgBox("Target of restore can not be a removable disk.", kRefusedTitle,
                   kIconCritical + kStyleOk);
  } else if (type == kDriveCdrom) {
    form.ui.MsgBox("Target of restore can not be a cd-rom like drive.", kRefusedTitle,
                   kIconCritical + kStyleOk);
  } else {
    return true;
  }
  std::string chosen = ChooseRestoreTarget(form);
  if (!chosen.empty() && Unsuitable(form.platform.DriveType(chosen))) chosen.clear();
  if (chosen.empty()) {
    form.CleanUp();
    return false;
  }
  form.r.TargetDrive = chosen;
  return true;
}

bool CheckPieceFits(MainForm& form) {
  int64_t free = MeasureDrive(form, form.Drive1.drive);
  if (form.r.SourceSize <= free) return true;
  form.ui.MsgBox("File will not fit on the target disk", kNoSpaceTitle, kIconCritical + kStyleOk);
  form.CleanUp();
  return false;
}

bool CheckWholeFileFits(MainForm& form) {
  int64_t free = MeasureDrive(form, form.Drive1.drive);
  if (form.r.OriginalSize <= free) return true;
  form.ui.MsgBox("Total restore file will not fit on the target disk", kNoSpaceTitle,
                 kIconCritical + kStyleOk);
  return false;
}

}  // namespace tavrix
