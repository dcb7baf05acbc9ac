// The restore assembly step: place one floppy's piece in the rebuilt file or
// park it in a hold file.
#pragma once

#include <string>
#include <utility>

namespace tavrix {

class MainForm;

// (n, next) from a piece path such as "a:\Tx~3.4"; raises 5 (invalid
// argument) when there is no dot after the prefix.
std::pair<int, int> ParsePieceName(const std::string& source_file);

// Processes the piece in form.r.SourceFile; handles its own errors (66
// ends the step silently, 58 shows its text and goes on, anything else is
// reported and ends the program).
void AssemblePiece(MainForm& form);

}  // namespace tavrix
