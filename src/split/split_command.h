// The "Split a file" menu command.
#pragma once

namespace tavrix {

class MainForm;

// Chooses the source and the floppy drive, shows the disk information,
// enlarges the window and runs the split driver.  Raises the platform's
// errors to its caller (a file that cannot be measured, a failing split);
// ends the program (ProgramExit) where the split driver does.
void mnu_OpenFile_Click(MainForm& form);

}  // namespace tavrix
