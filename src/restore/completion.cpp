#include "restore/completion.h"

#include <stdexcept>


namespace tavrix {

void FinishRestore(MainForm&) { throw std::logic_error("FinishRestore"); }

}  // namespace tavrix
