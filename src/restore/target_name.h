// Where the rebuilt file goes: the recorded name made safe on the target.
#pragma once

#include <string>

namespace tavrix {

class MainForm;

// True for the names of the restore's own working files on the target:
// "Tx~Start.OK" and "Tx~Hold." followed by a number, ignoring case.
bool IsWorkingFileName(const std::string& name);

// The plain file name of `recorded` (the path line of a control record),
// safe to create in the target's top directory; "" when nothing usable is
// left.  The last part after any "\", "/" or ":" is taken; it is refused
// when it is empty, begins with ".", holds a control character, or is the
// name of a working file.
std::string SafeFileName(const std::string& recorded);

// The rebuilt file's path: the target's root ("c:\") followed by
// SafeFileName(recorded), or "" when no usable name is left.  While no
// target has been chosen in this restore (TargetDrive empty), `recorded` is
// returned as it stands: the scan places it once the target is known.
std::string PlaceOriginalName(const MainForm& form, const std::string& recorded);

// True when something of that name is on the target: a file that
// FileExists finds, or a directory (the rebuilt file can never take its
// name, and it is never deleted).  Raises 68 when the drive is gone.
bool NameTaken(MainForm& form, const std::string& path);

}  // namespace tavrix
