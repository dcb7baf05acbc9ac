#include "restore/floppy_scan.h"

#include <stdexcept>


namespace tavrix {

void mnu_Restore_Click(MainForm&) { throw std::logic_error("mnu_Restore_Click"); }

}  // namespace tavrix
