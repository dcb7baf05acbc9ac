// Small operations of the main window shared by split and restore: the
// activity label, the window slide, clearing the status lines, file names of
// paths, and the positioned piece copy.
#pragma once

#include <cstdint>
#include <string>

namespace tavrix {

class MainForm;
class File;

// Size of the one copy buffer: memory never grows with the size of a piece.
inline constexpr int64_t kCopyBlockBytes = 1 << 20;

// 1 "Reading ...", 2 "Writing ...", 0 hides; any other mode changes nothing.
// Yields once in every case.
void SetActivity(MainForm& form, int mode);
// -1 slides the window 2475 twips taller, 0 back down to 1950; one pixel
// (15 twips) per step with a yield after each.
void ResizeWindow(MainForm& form, int mode);
// Empties Label1..Label7, ReadDisplayLbl and WriteDisplayLbl.
void ClearDisplay(MainForm& form);
// The text after the last "\" or "/"; a text with neither is returned whole.
std::string FileNameOf(const std::string& path);

// Streams `length` bytes from `from` at `from_pos` to `to` at `to_pos`
// through the one copy buffer, yielding and reporting progress per block.
// "Reading ..." shows before the first read, "Writing ..." before the first
// write.  Raises the platform's errors; what was written stays written.
// Returns the number of bytes read (short when `from` ends early).
int64_t CopyBytes(MainForm& form, File& from, int64_t from_pos, File& to, int64_t to_pos,
                  int64_t length);

// Copies `length` bytes of `piece` (from its first byte) into `target`,
// opened for raw access (created when missing, never emptied): at its first
// byte, or at AppendPos when not Holding and AppendPos is not 0.  When not
// Holding, AppendPos becomes the 1-based position after the written bytes.
// Hides the activity label at its end.  Returns true.
bool CopyPiece(MainForm& form, const std::string& target, File& piece, int64_t length);

}  // namespace tavrix
