// The mount table of this machine: which device is mounted on which
// directory, with which file system.  Read afresh on every use, because the
// desktop mounts each floppy it is given at a new directory.
#pragma once

#include <string>
#include <vector>

namespace tavrix {

class SysCalls;

struct Mount {
  std::string device;     // "/dev/sdb1", "tmpfs", "server:/export"
  std::string directory;  // "/media/ann/FLOPPY"
  std::string fs_type;    // "vfat", "nfs4", "fuse.sshfs"
};

// Decodes the octal escapes (\040 for a blank) of a mount-table field.
std::string DecodeMountField(const std::string& field);

// The mounts of mount-table text, in table order; lines with fewer than
// three fields are left out.
std::vector<Mount> ParseMountTable(const std::string& text);

// Reads the mount table at `path`; returns false (errno set) when it cannot
// be read.
bool ReadMountTable(SysCalls& sys, const std::string& path, std::vector<Mount>* mounts);

// True when `source` is the block device `disk` itself or one of its
// partitions (/dev/sdb1 of /dev/sdb, /dev/mmcblk0p1 of /dev/mmcblk0).
bool IsDeviceOrPartition(const std::string& source, const std::string& disk);

// Where `device` is mounted now: the directory of its first mount, else of
// the first mount of one of its partitions (a stick formatted with a
// partition table is mounted as /dev/sdb1, a floppy as /dev/sdb); "" when
// neither is mounted.
std::string MountPointOfDevice(const std::vector<Mount>& mounts, const std::string& device);

// True when `path` is `dir` or lies below it (both absolute).
bool DirectoryHolds(const std::string& dir, const std::string& path);

// The mount whose directory holds `path`: the longest one, the later of two
// on the same directory (it hides the earlier); nullptr when none does.
const Mount* MountHolding(const std::vector<Mount>& mounts, const std::string& path);

// Drive-type code of a mount by its file system and device: CD/DVD 5,
// network 4, tmpfs and ramfs 6, anything else 3.  Removable media are told
// by the block devices, not by the mount (see default_drives.h).
int DriveTypeOfMount(const Mount& mount);

}  // namespace tavrix
