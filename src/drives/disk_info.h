// The "Disk(ette) Info" rows: drive measurement, floppy estimate, source
// and target displays, and the hard-disk row picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "restore/window_state.h"

namespace tavrix {

class MainForm;

struct FloppyClass {
  const char* text;  // "1.44MB Floppy = you will need "
  Picture picture;
};
// The class of a floppy capacity, or nullopt.
std::optional<FloppyClass> FloppyClassOf(int64_t capacity);

// Re-reads the drive shown in Drive1: DriveFreeClusters, DriveClusterBytes,
// DriveFreeBytes, the hidden texts of Label4..Label6; yields; then
// DriveInfoFresh = true.
void Drive1_Change(MainForm& form);
// The floppy estimate for floppy drive `floppy`.
void FloppyEstimate(MainForm& form, const std::string& floppy);
// SizeLbl, the "Space on" text of the source's drive and its row picture.
void SourceDisplay(MainForm& form);
// The "Space on" text and row picture of restore target `target` ("c:").
void TargetSpaceDisplay(MainForm& form, const std::string& target);
// The hard-disk row rule for a drive-type code.
void HardDiskRowRule(MainForm& form, int drive_type);
// "Space on " + drive + " is " + free ("###,###,###,##0") + " bytes.".
std::string SpaceOnText(const MainForm& form, const std::string& drive_upper, int64_t free);

}  // namespace tavrix
