#include "split/split_command.h"

#include <stdexcept>


namespace tavrix {

void mnu_OpenFile_Click(MainForm&) { throw std::logic_error("mnu_OpenFile_Click"); }

}  // namespace tavrix
