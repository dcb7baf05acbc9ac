// Appending the parked pieces at completion.
#pragma once

namespace tavrix {

class MainForm;

// Appends every parked piece, in piece order, to form.r.AssemblyFileNo at its
// end and deletes each hold file once its bytes are in.  Returns the count.
int AppendHeldPieces(MainForm& form);

}  // namespace tavrix
