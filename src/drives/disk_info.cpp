#include "drives/disk_info.h"

#include <cctype>

#include "drives/number_format.h"
#include "drives/space_query.h"
#include "restore/main_form.h"

namespace tavrix {

std::optional<FloppyClass> FloppyClassOf(int64_t capacity) {
  // Tested in this order: the 720 KB range lies inside the 360 KB one.
  if (capacity > 400000 && capacity < 900000)
    return FloppyClass{"720KB Floppy = you will need ", Picture::kThreeFloppies};
  if (capacity > 300000 && capacity < 1000000)
    return FloppyClass{"360KB Floppy = you will need ", Picture::kFiveFloppies};
  if (capacity > 1000000 && capacity < 1400000)
    return FloppyClass{"1.2MB Floppy = you will need ", Picture::kFiveFloppies};
  if (capacity > 1400000) return FloppyClass{"1.44MB Floppy = you will need ", Picture::kThreeFloppies};
  return std::nullopt;
}

void Drive1_Change(MainForm& form) {
  std::string root = form.Drive1.drive.substr(0, 2) + "\\";
  SpaceFigures f = form.platform.SpaceQuery(root);
  form.r.DriveFreeClusters = f.free_clusters;
  form.r.DriveClusterBytes = f.sectors_per_cluster * f.bytes_per_sector;
  form.r.DriveFreeBytes = form.r.DriveClusterBytes * f.free_clusters;
  int64_t total = form.r.DriveClusterBytes * f.total_clusters;
  form.SetText(StatusText::kLabel4,
               FormatGrouped(form.r.DriveFreeBytes, form.thousands_sep) + " bytes available.");
  form.SetText(StatusText::kLabel5, " -> Smallest file uses " +
                                        FormatGrouped(form.r.DriveClusterBytes, form.thousands_sep) +
                                        " bytes.");
  form.SetText(StatusText::kLabel6, FormatGrouped(total, form.thousands_sep) + " total bytes on disk.");
  form.DoEvents();
  form.r.DriveInfoFresh = true;
}

void FloppyEstimate(MainForm& form, const std::string& floppy) {
  int64_t capacity = TotalBytesOf(form, floppy);
  double count = capacity == 0 ? 0.0 : static_cast<double>(form.r.SourceSize) / static_cast<double>(capacity);
  std::optional<FloppyClass> cls = FloppyClassOf(capacity);
  if (!cls) return;
  form.w.read_from_device_pic = cls->picture;
  if (form.r.DialogMode == 1) {
    form.SetText(StatusText::kReadDisplayLbl,
                 cls->text + FormatFloppyCount(count, form.decimal_point) + " floppies.");
  }
}

std::string SpaceOnText(const MainForm& form, const std::string& drive_upper, int64_t free) {
  return "Space on " + drive_upper + " is " + FormatGroupedZero(free, form.thousands_sep) + " bytes.";
}

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

void SourceDisplay(MainForm& form) {
  form.SetText(StatusText::kSizeLbl,
               "File is " + FormatGrouped(form.r.SourceSize, form.thousands_sep) + " bytes.");
  // A host path's drive is the mapped drive that holds it ("c:" + "\").
  std::string drive = form.platform.DriveOf(form.r.SourceFile);
  std::string shown = Platform::IsDesignation(form.r.SourceFile)
                          ? form.r.SourceFile.substr(0, 3)
                          : (Platform::IsDesignation(drive) ? drive + "\\" : drive);
  int64_t free = FreeBytesOf(form, Platform::IsDesignation(drive) ? drive : form.r.SourceFile);
  form.SetText(StatusText::kWriteDisplayLbl, SpaceOnText(form, shown, free));
  HardDiskRowRule(form, form.platform.DriveType(form.r.SourceFile));
}

void TargetSpaceDisplay(MainForm& form, const std::string& target) {
  int64_t free = FreeBytesOf(form, target);
  form.SetText(StatusText::kWriteDisplayLbl, SpaceOnText(form, Upper(target), free));
  HardDiskRowRule(form, form.platform.DriveType(target));
}

void HardDiskRowRule(MainForm& form, int drive_type) {
  if (drive_type == kDriveCdrom) form.w.write_to_device_pic = Picture::kCdRom;
  if (drive_type == kDriveRemovable) form.w.write_to_device_pic = Picture::kThreeFloppies;
  form.w.write_to_device_pic_visible = true;
}

}  // namespace tavrix
