// The program's own pictures, drawn as SVG and kept in the resources.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "restore/window_state.h"

namespace tavrix::ui {

// The rain cloud with the name underneath: the windows' icon.
QIcon ProgramIcon();
// A single 3.5-inch floppy: the floppy picker's icon.
QIcon FloppyIcon();
// The hard-disk drive: the target picker's icon.
QIcon HardDiskIcon();
// A row picture of the "Disk(ette) Info" frame at `size` pixels square; a
// null pixmap for Picture::kNone.
QPixmap PicturePixmap(Picture picture, int size);
// The program icon at `size` pixels square.
QPixmap ProgramPixmap(int size);

}  // namespace tavrix::ui
