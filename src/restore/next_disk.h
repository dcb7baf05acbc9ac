// The next-disk step: assemble the accepted piece, then ask for another floppy.
#pragma once

namespace tavrix {

class MainForm;

// Assembles the accepted floppy's piece; while pieces are missing, shows
// the target's free space and asks for the next floppy, whose scan (OK)
// leads to its assembly in turn.  Ends when the restore ends (CleanUp), the
// user cancels (the restore is given up, nothing removed) or a scan refuses
// a floppy (the restore stays in progress).  One loop: no call chain grows
// with the number of floppies.  A fatal report ends the program
// (ProgramExit).
void Restore_btn_Click(MainForm& form);

}  // namespace tavrix
