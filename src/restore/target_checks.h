// The checks that keep a rebuilt file off drives that cannot hold it.
#pragma once

namespace tavrix {

class MainForm;

// Each returns true to go on, false when the assembly step stops.
bool CheckTargetDriveType(MainForm& form);
bool CheckPieceFits(MainForm& form);
bool CheckWholeFileFits(MainForm& form);

}  // namespace tavrix
