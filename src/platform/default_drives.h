// The drive table this machine offers by default.
#pragma once

#include <string>

#include "platform/drive_table.h"

namespace tavrix {

class SysCalls;

// Where the default table is read from; tests point these at fakes.
struct DriveSources {
  std::string mount_table = "/proc/self/mounts";
  std::string sys_block = "/sys/block";
  std::string home;  // c:
};

// a: and b: the first two removable devices present (mounted or not), c: the
// home directory, from d: on further removable devices and the mounts a file
// manager would show, in mount-table order.
DriveTable DefaultDriveTable(SysCalls& sys, const DriveSources& sources);

}  // namespace tavrix
