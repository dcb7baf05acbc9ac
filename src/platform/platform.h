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
#include "platform/mount_table.h"  // DecodeMountField

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
  kRead,       // reading only; the file must exist
  kWriteText,  // writing; created when missing, emptied when present
  kReadWrite,  // raw byte access; created when missing, content kept
};

class Platform {
 public:
  Platform(SysCalls& sys, DriveTable drives, std::string mount_table = "/proc/self/mounts");

  SysCalls& sys() const { return *sys_; }
  const DriveTable& drives() const { return drives_; }
  DriveTable& drives() { return drives_; }

  // True when the first two characters are a letter and a colon.
  static bool IsDesignation(const std::string& path);

  // Host directory behind a drive letter: its directory, or where its device
  // (or a partition of it) is mounted now.  Raises 68 when the letter is not
  // mapped, its directory is missing, or its device is not mounted.
  std::string DriveDirectory(char letter) const;
  // Host path of a designation path or a host path.  On drives that match
  // names ignoring case, an existing file of the same name in another case
  // is the one meant.  Raises 68 as DriveDirectory does.
  std::string HostPath(const std::string& path) const;
  // The designation ("c:") of the mapped drive whose directory holds `path`
  // (the longest such directory); a designation path gives its own two
  // characters in lower case; a host path on no mapped drive gives its mount
  // point ("/" when the mount table cannot be read).  A relative host path
  // is taken from the working directory.  Never raises.
  std::string DriveOf(const std::string& path) const;

  // Drive-type code of the designation in the first two characters of
  // `path`; a host path gives the type of the drive that holds it, or of its
  // mount.  A removable letter, or one that follows a device, keeps its type
  // while its medium is out; any other letter whose directory is missing,
  // and a letter not mapped, give 1.  Never raises.
  int DriveType(const std::string& path) const;
  // Space figures of the drive of `path` (designation, designation path or
  // host path); all four 0 on any failure.  Never raises.
  SpaceFigures SpaceQuery(const std::string& path) const;

  // Opens a file; raises on failure (53 missing, 76 a folder on the way
  // missing, 75 a folder, 68 no medium, 52 a name the drive refuses).  A file
  // opened for writing on an emulated floppy asks this Platform for room:
  // it must not outlive it.
  File Open(const std::string& path, OpenMode mode) const;
  // Length of a file by name; raises (53 when missing, 76 when its folder
  // is).
  int64_t FileLen(const std::string& path) const;
  // Last-modified time of a file, local time; raises on failure.
  std::tm FileDateTime(const std::string& path) const;
  // True when something of that name exists (a directory included); raises
  // for failures other than a missing file or folder (68 without medium).
  bool Exists(const std::string& path) const;
  // True when `path` names a directory; raises 68 as HostPath does.
  bool IsDirectory(const std::string& path) const;
  // Deletes a file; raises (53 when missing).
  void Kill(const std::string& path) const;
  // Renames on the same drive; never replaces an existing file (58); 74
  // across drives, 53 when `from` is missing, 76 when a folder is.
  void Rename(const std::string& from, const std::string& to) const;
  // Flushes a file and the directory that holds it to the medium, so that
  // the user may take the medium out.  Raises on failure.
  void FlushToMedium(const std::string& path) const;
  // Names of the plain files in a directory: hidden files left out, in name
  // order ignoring case.  Raises on failure.
  std::vector<std::string> ListFiles(const std::string& directory) const;

 private:
  // The mounts now; empty when the mount table cannot be read.
  std::vector<Mount> Mounts() const;
  std::string MountPointOf(const std::string& device) const;
  const DriveEntry* EntryOf(const std::string& path) const;
  CapacityCheck CapacityFor(const std::string& path) const;
  // Clusters the files and folders in `dir` take on an emulated floppy;
  // raises when the directory cannot be read.
  int64_t UsedClusters(const std::string& dir, const Geometry& geometry) const;
  // Raises the error for errno `err` of an operation on `path` (host path
  // `host`): 76 when a folder on the way is missing.
  [[noreturn]] void RaisePathError(int err, const std::string& host, const std::string& path) const;

  SysCalls* sys_;
  DriveTable drives_;
  std::string mount_table_;
};

}  // namespace tavrix
