#include "restore/target_checks.h"

#include <stdexcept>


namespace tavrix {

bool CheckTargetDriveType(MainForm&) { throw std::logic_error("CheckTargetDriveType"); }
bool CheckPieceFits(MainForm&) { throw std::logic_error("CheckPieceFits"); }
bool CheckWholeFileFits(MainForm&) { throw std::logic_error("CheckWholeFileFits"); }

}  // namespace tavrix
