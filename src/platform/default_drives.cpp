#include "platform/default_drives.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "platform/mount_table.h"
#include "platform/sys_calls.h"

namespace tavrix {

namespace {

// A device that takes a letter of its own, mounted or not.
struct MediaDevice {
  std::string name;  // "sdb"
  std::string path;  // "/dev/sdb"
  int type;          // kDriveRemovable or kDriveCdrom
};

bool NameWithNumber(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// Device names in the order a person counts them: sdb before sdc, fd2
// before fd10.
bool NaturalLess(const std::string& a, const std::string& b) {
  auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (digit(a[i]) && digit(b[j])) {
      size_t i_end = i;
      size_t j_end = j;
      while (i_end < a.size() && digit(a[i_end])) ++i_end;
      while (j_end < b.size() && digit(b[j_end])) ++j_end;
      std::string x = a.substr(i, i_end - i);
      std::string y = b.substr(j, j_end - j);
      x.erase(0, std::min(x.find_first_not_of('0'), x.size() - 1));
      y.erase(0, std::min(y.find_first_not_of('0'), y.size() - 1));
      if (x.size() != y.size()) return x.size() < y.size();
      if (x != y) return x < y;
      i = i_end;
      j = j_end;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

std::string Trimmed(const std::string& s) {
  size_t begin = s.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return {};
  size_t end = s.find_last_not_of(" \t\r\n");
  return s.substr(begin, end - begin + 1);
}

std::string WithoutTrailingSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

std::string BaseName(const std::string& dir) {
  std::string d = WithoutTrailingSlash(dir);
  if (d == "/") return "root";
  auto slash = d.rfind('/');
  return slash == std::string::npos ? d : d.substr(slash + 1);
}

// Where the system itself lives; a removable disk mounted there is no floppy.
bool IsSystemLocation(const std::string& dir) {
  if (dir == "/") return true;
  for (const char* d : {"/boot", "/usr", "/var", "/etc", "/opt", "/srv", "/home"}) {
    if (DirectoryHolds(d, dir)) return true;
  }
  return false;
}

// True for mounts a file manager keeps to itself: pseudo file systems, the
// kernel's and the session's own trees, container stores.
bool IsHiddenMount(const Mount& m) {
  static const std::set<std::string> kPseudo = {
      "proc",      "sysfs",    "devpts",      "devtmpfs",        "securityfs",  "debugfs",
      "tracefs",   "pstore",   "bpf",         "mqueue",          "hugetlbfs",   "configfs",
      "fusectl",   "autofs",   "binfmt_misc", "efivarfs",        "rpc_pipefs",  "nsfs",
      "selinuxfs", "squashfs", "rootfs",      "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs",
      "nfsd",      "cgroup",   "cgroup2"};
  if (kPseudo.count(m.fs_type) != 0) return true;
  if (m.directory.empty() || m.directory[0] != '/') return true;
  if (DirectoryHolds("/run/media", m.directory)) return false;
  for (const char* d : {"/proc", "/sys", "/dev", "/run", "/snap", "/etc", "/var/lib/docker",
                        "/var/lib/containers", "/var/lib/snapd", "/var/snap"}) {
    if (DirectoryHolds(d, m.directory)) return true;
  }
  return false;
}

// The removable and CD/DVD devices under `sys_block`, in name order.
std::vector<MediaDevice> MediaDevices(SysCalls& sys, const std::string& sys_block,
                                      const std::vector<Mount>& mounts) {
  std::vector<std::string> names;
  if (sys.ListDirectory(sys_block.c_str(), &names) != 0) return {};
  std::sort(names.begin(), names.end(), NaturalLess);
  std::vector<MediaDevice> devices;
  for (const auto& name : names) {
    MediaDevice d{name, "/dev/" + name, kDriveRemovable};
    if (NameWithNumber(name, "sr")) {
      d.type = kDriveCdrom;
    } else if (!NameWithNumber(name, "fd")) {
      std::string flag;
      std::string path = sys_block + "/" + name + "/removable";
      if (sys.ReadTextFile(path.c_str(), &flag) != 0 || Trimmed(flag) != "1") continue;
      // A live system started from a stick is a system disk, not a floppy.
      bool holds_system = std::any_of(mounts.begin(), mounts.end(), [&](const Mount& m) {
        return IsDeviceOrPartition(m.device, d.path) && IsSystemLocation(m.directory);
      });
      if (holds_system) continue;
    }
    devices.push_back(d);
  }
  return devices;
}

}  // namespace

DriveTable DefaultDriveTable(SysCalls& sys, const DriveSources& sources) {
  std::vector<Mount> mounts;
  if (!ReadMountTable(sys, sources.mount_table, &mounts)) mounts.clear();
  std::vector<MediaDevice> devices = MediaDevices(sys, sources.sys_block, mounts);

  DriveTable table;
  std::set<std::string> lettered_devices;
  std::set<std::string> lettered_dirs;
  auto device_entry = [&](char letter, const MediaDevice& d) {
    DriveEntry e;
    e.letter = letter;
    e.device = d.path;
    e.type = d.type;
    std::string mounted = MountPointOfDevice(mounts, d.path);
    e.label = mounted.empty() ? d.name : BaseName(mounted);
    if (!mounted.empty()) lettered_dirs.insert(WithoutTrailingSlash(mounted));
    lettered_devices.insert(d.path);
    table.Set(e);
  };

  // a: and b: for the first two removable devices.
  char letter = 'a';
  for (const auto& d : devices) {
    if (letter > 'b') break;
    if (d.type != kDriveRemovable) continue;
    device_entry(letter++, d);
  }

  DriveEntry home;
  home.letter = 'c';
  home.directory = sources.home;
  home.type = kDriveFixed;
  home.label = "home";
  table.Set(home);
  lettered_dirs.insert(WithoutTrailingSlash(sources.home));

  letter = 'd';
  auto media_of = [&](const std::string& source) -> const MediaDevice* {
    for (const auto& d : devices) {
      if (IsDeviceOrPartition(source, d.path)) return &d;
    }
    return nullptr;
  };
  for (const auto& m : mounts) {
    if (letter > 'z') break;
    if (IsHiddenMount(m)) continue;
    if (const MediaDevice* d = media_of(m.device)) {
      if (lettered_devices.count(d->path) == 0) device_entry(letter++, *d);
      continue;
    }
    std::string dir = WithoutTrailingSlash(m.directory);
    bool is_block = m.device.rfind("/dev/", 0) == 0;
    if (lettered_dirs.count(dir) != 0 || (is_block && lettered_devices.count(m.device) != 0)) {
      continue;
    }
    DriveEntry e;
    e.letter = letter++;
    e.directory = dir;
    e.type = DriveTypeOfMount(m);
    e.label = BaseName(dir);
    table.Set(e);
    lettered_dirs.insert(dir);
    if (is_block) lettered_devices.insert(m.device);
  }
  // Drives without a medium still have their letters.
  for (const auto& d : devices) {
    if (letter > 'z') break;
    if (lettered_devices.count(d.path) == 0) device_entry(letter++, d);
  }
  return table;
}

}  // namespace tavrix
