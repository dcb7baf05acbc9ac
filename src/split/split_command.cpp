#include "split/split_command.h"

#include "drives/disk_info.h"
#include "drives/drive_lists.h"
#include "drives/drive_picker.h"
#include "drives/number_format.h"
#include "restore/main_form.h"
#include "split/progress.h"
#include "split/split_driver.h"

namespace tavrix {

void mnu_OpenFile_Click(MainForm& form) {
  // Reset first: a cancelled choice still abandons whatever ran before.
  form.CleanUp();
  ClearDisplay(form);

  form.r.SourceFile = form.ui.OpenFileDialog();
  if (form.r.SourceFile.empty()) return;
  form.r.SourceSize = form.platform.FileLen(form.r.SourceFile);
  form.SetText(StatusText::kLabel1, form.r.SourceFile);
  form.SetText(StatusText::kLabel2,
               "File is " + FormatGrouped(form.r.SourceSize, form.thousands_sep) + " bytes.");
  if (form.r.SourceSize < 1) {
    form.ui.MsgBox(kEmptySourceText, kEmptySourceTitle, kIconQuestion + kStyleOk);
    form.r.SourceFile.clear();
    form.r.SourceSize = 0;
    ClearDisplay(form);
    return;
  }

  form.r.DialogMode = 1;
  ShowRestoreFrm(form);
  if (form.r.FloppyDrive.empty()) {
    form.r.SourceFile.clear();
    form.r.SourceSize = 0;
    ClearDisplay(form);
    return;
  }

  SelectDrive1(form, form.r.FloppyDrive);
  SourceDisplay(form);
  form.DoEvents();
  ResizeWindow(form, -1);
  Copy_btn_Click(form);
}

}  // namespace tavrix
