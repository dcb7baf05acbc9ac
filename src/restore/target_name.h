// Where the rebuilt file goes: the recorded name made safe on the target.
#pragma once

#include <string>

namespace tavrix {

class MainForm;

// TargetDrive followed by the plain file name of `recorded` (the path line
// of the control record); "" when no usable name is left.
std::string PlaceOriginalName(const MainForm& form, const std::string& recorded);

}  // namespace tavrix
