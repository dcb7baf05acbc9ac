#include "platform/default_drives.h"

#include <stdexcept>


namespace tavrix {

DriveTable DefaultDriveTable(SysCalls&, const DriveSources& sources) {
  DriveTable t;
  DriveEntry c;
  c.letter = 'c';
  c.directory = sources.home;
  c.type = kDriveFixed;
  c.label = "home";
  t.Set(c);
  return t;
}

}  // namespace tavrix
