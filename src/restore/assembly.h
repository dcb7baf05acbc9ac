// The restore assembly step: place one floppy's piece in the rebuilt file or
// park it in a hold file.
#pragma once

#include <string>
#include <utility>

namespace tavrix {

class MainForm;

// (n, next) from a piece path such as "a:\Tx~3.4": the leading numbers of
// the texts before and after the first dot behind the prefix (0 when there
// are none).  Raises 5 (invalid argument) when there is no prefix or no dot
// after it, 6 (overflow) for a number beyond 32767.
std::pair<int, int> ParsePieceName(const std::string& source_file);

// Processes the piece in form.r.SourceFile; handles its own errors (66
// ends the step silently, 58 shows its text and ends the step, anything
// else is reported and ends the program with ProgramExit).
void AssemblePiece(MainForm& form);

}  // namespace tavrix
