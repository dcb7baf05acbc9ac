#include "drives/space_query.h"

#include "restore/main_form.h"

namespace tavrix {

int64_t MeasureDrive(MainForm& form, const std::string& drive) {
  // Only the drive part counts: "c: [home]" and "c:" measure the same root.
  std::string root = Platform::IsDesignation(drive) ? drive.substr(0, 2) + "\\" : drive;
  SpaceFigures f = form.platform.SpaceQuery(root);
  form.r.DriveClusterBytes = f.sectors_per_cluster * f.bytes_per_sector;
  form.r.DriveFreeBytes = form.r.DriveClusterBytes * f.free_clusters;
  return form.r.DriveFreeBytes;
}

int64_t FreeBytesOf(const MainForm& form, const std::string& path) {
  std::string root = Platform::IsDesignation(path) ? path.substr(0, 2) + "\\" : path;
  SpaceFigures f = form.platform.SpaceQuery(root);
  return f.sectors_per_cluster * f.bytes_per_sector * f.free_clusters;
}

int64_t TotalBytesOf(const MainForm& form, const std::string& drive) {
  SpaceFigures f = form.platform.SpaceQuery(drive);
  return f.total_clusters * (f.sectors_per_cluster * f.bytes_per_sector);
}

}  // namespace tavrix
