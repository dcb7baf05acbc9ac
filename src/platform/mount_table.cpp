#include "platform/mount_table.h"

#include <cctype>
#include <set>
#include <sstream>

#include "platform/drive_table.h"
#include "platform/sys_calls.h"

namespace tavrix {

namespace {

bool IsOctalDigit(char c) {
  return c >= '0' && c <= '7';
}

bool AllDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

std::string DecodeMountField(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
        IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                               (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::vector<Mount> ParseMountTable(const std::string& text) {
  std::vector<Mount> mounts;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    Mount m;
    if (!(fields >> m.device >> m.directory >> m.fs_type)) continue;
    m.device = DecodeMountField(m.device);
    m.directory = DecodeMountField(m.directory);
    mounts.push_back(std::move(m));
  }
  return mounts;
}

bool ReadMountTable(SysCalls& sys, const std::string& path, std::vector<Mount>* mounts) {
  std::string text;
  if (sys.ReadTextFile(path.c_str(), &text) != 0) return false;
  *mounts = ParseMountTable(text);
  return true;
}

bool IsDeviceOrPartition(const std::string& source, const std::string& disk) {
  if (disk.empty()) return false;
  if (source == disk) return true;
  if (source.size() <= disk.size() || source.compare(0, disk.size(), disk) != 0) return false;
  std::string suffix = source.substr(disk.size());
  // sdb -> sdb1; a disk whose name ends in a digit takes a "p": mmcblk0p1.
  if (std::isdigit(static_cast<unsigned char>(disk.back()))) {
    return suffix[0] == 'p' && AllDigits(suffix.substr(1));
  }
  return AllDigits(suffix);
}

std::string MountPointOfDevice(const std::vector<Mount>& mounts, const std::string& device) {
  for (const auto& m : mounts) {
    if (m.device == device) return m.directory;
  }
  for (const auto& m : mounts) {
    if (IsDeviceOrPartition(m.device, device)) return m.directory;
  }
  return {};
}

bool DirectoryHolds(const std::string& dir, const std::string& path) {
  if (dir.empty() || path.empty()) return false;
  std::string d = dir;
  while (d.size() > 1 && d.back() == '/') d.pop_back();
  if (d == "/") return path[0] == '/';
  if (path.compare(0, d.size(), d) != 0) return false;
  return path.size() == d.size() || path[d.size()] == '/';
}

const Mount* MountHolding(const std::vector<Mount>& mounts, const std::string& path) {
  const Mount* best = nullptr;
  for (const auto& m : mounts) {
    if (DirectoryHolds(m.directory, path) &&
        (best == nullptr || m.directory.size() >= best->directory.size())) {
      best = &m;
    }
  }
  return best;
}

int DriveTypeOfMount(const Mount& mount) {
  static const std::set<std::string> kNetwork = {"nfs",       "nfs4",           "cifs",  "smb3",
                                                 "smbfs",     "fuse.sshfs",     "sshfs", "ceph",
                                                 "glusterfs", "fuse.glusterfs", "afs"};
  const std::string& t = mount.fs_type;
  if (t == "iso9660" || t == "udf" || mount.device.rfind("/dev/sr", 0) == 0) return kDriveCdrom;
  if (kNetwork.count(t) != 0) return kDriveRemote;
  if (t == "tmpfs" || t == "ramfs") return kDriveRamdisk;
  return kDriveFixed;
}

}  // namespace tavrix
