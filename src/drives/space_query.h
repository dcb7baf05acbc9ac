// Measuring drives: free, total and cluster bytes, 64-bit throughout.
#pragma once

#include <cstdint>
#include <string>

namespace tavrix {

class MainForm;

// Free bytes of the drive in the first two characters of `drive` (a host
// path: its drive); records DriveClusterBytes and DriveFreeBytes.  0 when the
// query fails.
int64_t MeasureDrive(MainForm& form, const std::string& drive);
// Free bytes of the drive `path` lies on; touches nothing else.
int64_t FreeBytesOf(const MainForm& form, const std::string& path);
// Capacity in bytes of `drive`; touches nothing else.
int64_t TotalBytesOf(const MainForm& form, const std::string& drive);

}  // namespace tavrix
