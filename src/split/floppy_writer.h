// Puts one piece of the source onto one floppy.
#pragma once

namespace tavrix {

class MainForm;

// The refusal of a source that needs more floppies than a set may have.
inline constexpr const char* kTooManyFloppiesText =
    "This file needs more than 1000 floppies of this size.";
inline constexpr const char* kFileTooLargeTitle = "Tavrix | File too large";

// Writes piece `number` onto the floppy in the drive shown in Drive1,
// asking for it first unless the drive was just measured.  Returns true
// (done) when the piece and the marker are on the floppy and flushed;
// false when the floppy was refused and must be asked for again.  Ends the
// program (ProgramExit) on Cancel at the prompt or a fatal error.
bool WriteFloppy(MainForm& form, int number);

}  // namespace tavrix
