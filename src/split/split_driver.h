// Runs one split from the open source to the control record.
#pragma once

namespace tavrix {

class MainForm;

// The split driver (the hidden "&Split" button's handler).  Expects CleanUp
// to have run, SourceFile and SourceSize set and Drive1 showing the target.
// Raises platform errors to its caller; ends the program on Cancel at a
// floppy prompt or a fatal report.
void Copy_btn_Click(MainForm& form);

}  // namespace tavrix
