// The "Split a file" menu command.
#pragma once

namespace tavrix {

class MainForm;

// What an empty source is told, from the menu as from the command line: a
// set of it would hold a 0-byte piece, which no restore takes.
inline constexpr const char* kEmptySourceText = "Source file doesn't need TAVRIX!";
inline constexpr const char* kEmptySourceTitle = "TAVRIX | You don't need me for this one";

// Chooses the source (an empty one is refused) and the floppy drive, shows the disk information,
// enlarges the window and runs the split driver.  Raises the platform's
// errors to its caller (a file that cannot be measured, a failing split);
// ends the program (ProgramExit) where the split driver does.
void mnu_OpenFile_Click(MainForm& form);

}  // namespace tavrix
