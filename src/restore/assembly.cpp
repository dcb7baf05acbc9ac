#include "restore/assembly.h"

#include <stdexcept>


namespace tavrix {

std::pair<int, int> ParsePieceName(const std::string&) { throw std::logic_error("ParsePieceName"); }
void AssemblePiece(MainForm&) { throw std::logic_error("AssemblePiece"); }

}  // namespace tavrix
