// Appending the parked pieces at completion.
#pragma once

#include <string>

namespace tavrix {

class MainForm;

// The hold file of piece n on the target: TargetDrive + "Tx~Hold." + n.
std::string HoldFilePath(const MainForm& form, int n);

// Appends every parked piece, in piece order, to the end of
// form.r.AssemblyFileNo (open for raw access) and deletes each hold file
// once its bytes are in.  Returns the number appended; raises the
// platform's errors (the hold files not yet appended stay on the target).
int AppendHeldPieces(MainForm& form);

}  // namespace tavrix
