// The hidden drive list Drive1 and file list File1 of the main window.
#pragma once

#include <string>
#include <vector>

namespace tavrix {

class MainForm;

// The entries of the drive list, such as "c: [home]", in letter order.
std::vector<std::string> DriveListEntries(const MainForm& form);
// Makes Drive1 show the drive in the first two characters of `drive`.
// Raises 68 when the drive's directory is missing or its device is not
// mounted.  Runs Drive1_Change only when the drive differs from the one
// shown.
void SelectDrive1(MainForm& form, const std::string& drive);
// The drive Drive1 shows at start-up: the one holding the working
// directory, else c:.
std::string StartupDrive(const MainForm& form);
// Points File1 at the root of `drive` and re-reads it; raises on failure
// (68 for a drive without its medium).
void PointFile1(MainForm& form, const std::string& drive);
// Re-reads File1's directory; raises on failure.
void RereadFile1(MainForm& form);

}  // namespace tavrix
