#include "split/split_driver.h"

#include <stdexcept>


namespace tavrix {

void Copy_btn_Click(MainForm&) { throw std::logic_error("Copy_btn_Click"); }

}  // namespace tavrix
