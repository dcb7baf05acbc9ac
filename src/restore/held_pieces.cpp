#include "restore/held_pieces.h"

#include <stdexcept>


namespace tavrix {

int AppendHeldPieces(MainForm&) { throw std::logic_error("AppendHeldPieces"); }

}  // namespace tavrix
