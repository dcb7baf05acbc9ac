// Drive letters a..z mapped to directories of this machine.
//
// The rest of the program speaks of drives as designations ("a:", "c:") and
// of files as designation paths ("a:\Tx~1.2").  The table says which
// directory stands behind each letter, what kind of drive it is (the
// drive-type codes 0..6) and, for a directory that plays a floppy, the
// geometry whose capacity it emulates.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavrix {

enum DriveTypeCode : int {
  kDriveUnknown = 0,
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdrom = 5,
  kDriveRamdisk = 6,
};

// A floppy format that a directory emulates.
struct Geometry {
  int64_t sectors_per_cluster = 1;
  int64_t bytes_per_sector = 512;
  int64_t total_clusters = 2847;

  int64_t cluster_bytes() const { return sectors_per_cluster * bytes_per_sector; }
};

// "360k", "720k", "1.2m", "1.44m"; nullopt for anything else.
std::optional<Geometry> GeometryByName(const std::string& name);

struct DriveEntry {
  char letter = 'a';      // lower case
  std::string directory;  // host directory; empty when `device` decides
  // Block device followed to its current mount point: the mount of the
  // device itself, else of one of its partitions (/dev/sdb1 of /dev/sdb).
  std::string device;
  int type = kDriveFixed;
  std::optional<Geometry> geometry;
  std::string label;  // shown in the drive list: "c: [home]"

  std::string designation() const { return std::string(1, letter) + ":"; }
  // True where names are matched ignoring case, as FAT does.
  bool case_insensitive() const { return type == kDriveRemovable || geometry.has_value(); }
};

class DriveTable {
 public:
  // Adds letter e.letter or replaces what it held.
  void Set(DriveEntry e);
  // The entry for a letter (either case), or nullptr.
  const DriveEntry* Find(char letter) const;
  // All entries in letter order.
  std::vector<DriveEntry> Entries() const;

 private:
  std::map<char, DriveEntry> entries_;
};

// The option's form, for usage messages.
extern const char kDriveOptionUsage[];

// Parses the value of "--drive L=DIR[,type=removable|fixed|cdrom|remote|ramdisk]
// [,geometry=360k|720k|1.2m|1.44m]" (the part after "--drive ").  A relative
// DIR is taken from the working directory.  With a geometry DIR plays a
// floppy of that format and the type is removable unless given; without one
// it is fixed unless given.  Returns nullopt and sets `error` to a message
// naming the fault, followed by a usage line, for bad usage.
std::optional<DriveEntry> ParseDriveOption(const std::string& value, std::string* error);

}  // namespace tavrix
