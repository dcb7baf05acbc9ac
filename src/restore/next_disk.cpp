#include "restore/next_disk.h"

#include <stdexcept>


namespace tavrix {

void Restore_btn_Click(MainForm&) { throw std::logic_error("Restore_btn_Click"); }

}  // namespace tavrix
