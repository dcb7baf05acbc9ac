#include "split/floppy_writer.h"

#include <stdexcept>


namespace tavrix {

bool WriteFloppy(MainForm&, int) { throw std::logic_error("WriteFloppy"); }

}  // namespace tavrix
