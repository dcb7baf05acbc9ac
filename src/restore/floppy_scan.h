// The "Restore a file " command: reading and checking one floppy.
#pragma once

namespace tavrix {

class MainForm;

// The floppy scan.  With no restore active it starts one (floppy picker,
// then the target question for the first accepted floppy); otherwise it
// re-reads the same drive and checks the floppy against the restore in
// progress.  An accepted floppy goes on to the next-disk step.
void mnu_Restore_Click(MainForm& form);

}  // namespace tavrix
