#include "restore/next_disk.h"

#include <cctype>

#include "drives/disk_info.h"
#include "drives/space_query.h"
#include "restore/assembly.h"
#include "restore/floppy_scan.h"
#include "restore/main_form.h"

namespace tavrix {

void Restore_btn_Click(MainForm& form) {
  RunRecord& r = form.r;
  for (;;) {
    AssemblePiece(form);
    if (!r.RestoreActive) {
      form.CleanUp();
      return;
    }
    std::string shown = r.TargetDrive;
    for (char& c : shown) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    form.SetText(StatusText::kWriteDisplayLbl,
                 SpaceOnText(form, shown, FreeBytesOf(form, r.TargetDrive)));
    form.DoEvents();
    int answer = form.ui.MsgBox("Please insert another disk of this set\r\n", "Restore",
                                kIconQuestion + kStyleOkCancel);
    if (answer == kAnswerCancel) {
      r.RestoreActive = false;
      return;
    }
    if (!ScanFloppy(form)) return;
  }
}

}  // namespace tavrix
