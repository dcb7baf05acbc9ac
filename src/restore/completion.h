// Finishing a restore once every piece is in.
#pragma once

namespace tavrix {

class MainForm;

// Appends the parked pieces, compares the size with the control record's,
// gives the file its recorded name where it was built under the start
// file's, flushes it to the target disk and ends the restore with CleanUp.
// A name taken meanwhile (58) shows the error's text and the file keeps the
// start file's name; other errors are raised to the assembly step.
void FinishRestore(MainForm& form);

}  // namespace tavrix
