// The operating-system services the program stands on: drive letters, drive
// type and space queries, and the file operations, each failing with the
// numbered errors of error.h.
//
// Paths given to these operations are either designation paths ("a:\Tx~1.2",
// "a:Tx~SN235.714", "c:\") resolved through the drive table, or host paths
// ("/home/ann/big.zip") used as they are.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/drive_table.h"
#include "platform/file.h"

namespace tavrix {

class SysCalls;

// The four figures of the space query; all 0 when the query fails.
struct SpaceFigures {
  int64_t sectors_per_cluster = 0;
  int64_t bytes_per_sector = 0;
  int64_t free_clusters = 0;
  int64_t total_clusters = 0;
};

enum class OpenMode {
  kRead,        // reading only; the file must exist
  kWriteText,   // writing; created when missing, emptied when present
  kReadWrite,   // raw byte access; created when missing, content kept
};

class Platform {
 public:
  Platform(SysCalls& sys, DriveTable drives, std::string mount_table = "/proc/self/mounts");

  SysCalls& sys() const { return *sys_; }
  const DriveTable& drives() const { return drives_; }
  DriveTable& drives() { return drives_; }

  // True when the first two characters are a letter and a colon.
  static bool IsDesignation(const std::string& path);

  // Host directory behind a drive letter.  Raises 68 when the letter is not
  // mapped, its directory is missing, or its device is not mounted.
  std::string DriveDirectory(char letter) const;
  // Host path of a designation path or a host path.  On drives that match
  // names ignoring case, an existing file of the same name in another case
  // is the one meant.  Raises 68 as DriveDirectory does.
  std::string HostPath(const std::string& path) const;
  // The designation ("c:") of the mapped drive whose directory holds `path`;
  // a designation path gives its own two characters; a host path on no
  // mapped drive gives its mount point.
  std::string DriveOf(const std::string& path) const;

  // Drive-type code of the designation in the first two characters of
  // `path`; a host path gives the type of the drive that holds it.
  int DriveType(const std::string& path) const;
  // Space figures of the drive of `path` (designation, designation path or
  // host path); all four 0 on any failure.  Never raises.
  SpaceFigures SpaceQuery(const std::string& path) const;

  // Opens a file; raises on failure.
  File Open(const std::string& path, OpenMode mode) const;
  // Length of a file by name; raises (53 when missing).
  int64_t FileLen(const std::string& path) const;
  // Last-modified time of a file, local time; raises on failure.
  std::tm FileDateTime(const std::string& path) const;
  // True when something of that name exists (a directory included); raises
  // for failures other than a missing file.
  bool Exists(const std::string& path) const;
  // True when `path` names a directory.
  bool IsDirectory(const std::string& path) const;
  // Deletes a file; raises (53 when missing).
  void Kill(const std::string& path) const;
  // Renames on the same drive; never replaces an existing file (58).
  void Rename(const std::string& from, const std::string& to) const;
  // Flushes a file and the directory that holds it to the medium, so that
  // the user may take the medium out.  Raises on failure.
  void FlushToMedium(const std::string& path) const;
  // Names of the plain files in a directory: hidden files left out, in name
  // order ignoring case.  Raises on failure.
  std::vector<std::string> ListFiles(const std::string& directory) const;

 private:
  std::string MountPointOf(const std::string& device) const;
  const DriveEntry* EntryOf(const std::string& path) const;
  CapacityCheck CapacityFor(const std::string& path) const;

  SysCalls* sys_;
  DriveTable drives_;
  std::string mount_table_;
};

// Decodes the octal escapes (\040 for a blank) of a mount-table field.
std::string DecodeMountField(const std::string& field);

}  // namespace tavrix
