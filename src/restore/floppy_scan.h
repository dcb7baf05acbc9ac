// The "Restore a file " command: reading and checking one floppy.
#pragma once

namespace tavrix {

class MainForm;

// Reads and checks the floppy in the restore's drive.  With no restore
// active it starts one (CleanUp, the floppy picker); otherwise it re-reads
// the same drive and checks the floppy against the restore in progress.  A
// floppy accepted while no target has been chosen in this restore leads to
// the target question and the window's enlargement.  Returns true when the
// floppy was accepted and its piece is to be assembled; false when the
// picker or the target question gave no drive, the floppy was refused (its
// message shown), or the user cancelled at "Drive is not ready".  Other
// errors are reported ("Error  N") and end the program.
bool ScanFloppy(MainForm& form);

// The menu command: the scan, and for an accepted floppy the next-disk
// step, which goes on floppy after floppy until the restore ends, the user
// cancels, or a floppy is refused.  Errors are reported where they happen;
// a fatal report ends the program (ProgramExit).
void mnu_Restore_Click(MainForm& form);

}  // namespace tavrix
