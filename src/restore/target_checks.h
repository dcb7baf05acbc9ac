// The checks that keep a rebuilt file off drives that cannot hold it.
#pragma once

namespace tavrix {

class MainForm;

// Refuses a removable or cd-rom target and asks for another one.  Returns
// true to go on (TargetDrive possibly replaced), false after CleanUp when no
// suitable drive was given.  Raises the platform's errors.
bool CheckTargetDriveType(MainForm& form);
// Returns true when the current piece fits in the free space of the drive
// shown in Drive1 (exactly as large fits); false after its message and
// CleanUp.
bool CheckPieceFits(MainForm& form);
// Returns true when the whole original file fits in that free space; false
// after its message, without CleanUp: the step ends, the restore goes on.
bool CheckWholeFileFits(MainForm& form);

}  // namespace tavrix
