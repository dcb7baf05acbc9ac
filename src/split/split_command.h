// The "Split a file" menu command.
#pragma once

namespace tavrix {

class MainForm;

// Chooses the source and the floppy drive, shows the disk information,
// enlarges the window and runs the split driver.
void mnu_OpenFile_Click(MainForm& form);

}  // namespace tavrix
