#include "platform/platform.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <sstream>

#include "platform/error.h"
#include "platform/sys_calls.h"

namespace tavrix {

namespace {

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

std::string ParentOf(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  auto slash = p.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

char LowerLetter(char letter) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
}

// A host path made absolute against the working directory, as a relative
// path typed on the command line means.
std::string Absolute(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char buf[4096];
  if (::getcwd(buf, sizeof buf) == nullptr) return path;
  return path.empty() ? std::string(buf) : JoinPath(buf, path);
}

int64_t ClustersFor(int64_t bytes, int64_t cluster_bytes) {
  return (bytes + cluster_bytes - 1) / cluster_bytes;
}

}  // namespace

Platform::Platform(SysCalls& sys, DriveTable drives, std::string mount_table)
    : sys_(&sys), drives_(std::move(drives)), mount_table_(std::move(mount_table)) {}

bool Platform::IsDesignation(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::vector<Mount> Platform::Mounts() const {
  std::vector<Mount> mounts;
  if (!ReadMountTable(*sys_, mount_table_, &mounts)) mounts.clear();
  return mounts;
}

std::string Platform::MountPointOf(const std::string& device) const {
  return MountPointOfDevice(Mounts(), device);
}

std::string Platform::DriveDirectory(char letter) const {
  std::string designation = std::string(1, LowerLetter(letter)) + ":";
  const DriveEntry* e = drives_.Find(letter);
  if (e == nullptr) Raise(kDeviceUnavailable, designation);
  std::string dir = e->directory;
  if (!e->device.empty()) {
    // The desktop mounts each medium at a directory of its own: look it up
    // now, not when the table was made.
    dir = MountPointOf(e->device);
    if (dir.empty()) Raise(kDeviceUnavailable, designation);
  }
  struct stat st;
  if (sys_->Stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    Raise(kDeviceUnavailable, designation);
  }
  return dir;
}

std::string Platform::HostPath(const std::string& path) const {
  if (!IsDesignation(path)) return path;
  const DriveEntry* e = drives_.Find(path[0]);
  std::string host = DriveDirectory(path[0]);
  std::string rest = path.substr(2);
  std::replace(rest.begin(), rest.end(), '\\', '/');
  std::istringstream parts(rest);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (part.empty()) continue;
    std::string name = part;
    if (e != nullptr && e->case_insensitive() && part != "." && part != "..") {
      // As FAT does: Tx~ctl.dat finds TX~CTL.DAT.  A name in the very case
      // asked for wins over one in another case.
      std::vector<std::string> names;
      if (sys_->ListDirectory(host.c_str(), &names) == 0) {
        for (const auto& n : names) {
          if (n == part) {
            name = n;
            break;
          }
          if (SameIgnoringCase(n, part)) name = n;
        }
      }
    }
    host = JoinPath(host, name);
  }
  return host;
}

std::string Platform::DriveOf(const std::string& path) const {
  if (IsDesignation(path)) return std::string(1, LowerLetter(path[0])) + ":";
  std::string host = Absolute(path);
  std::string best;
  size_t best_len = 0;
  for (const auto& e : drives_.Entries()) {
    std::string dir;
    try {
      dir = DriveDirectory(e.letter);
    } catch (const Error&) {
      continue;  // no medium: it holds nothing now
    }
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    if (DirectoryHolds(dir, host) && (best.empty() || dir.size() > best_len)) {
      best = e.designation();
      best_len = dir.size();
    }
  }
  if (!best.empty()) return best;
  std::vector<Mount> mounts = Mounts();
  const Mount* m = MountHolding(mounts, host);
  return m != nullptr ? m->directory : std::string("/");
}

const DriveEntry* Platform::EntryOf(const std::string& path) const {
  std::string drive = DriveOf(path);
  return IsDesignation(drive) ? drives_.Find(drive[0]) : nullptr;
}

int Platform::DriveType(const std::string& path) const {
  std::string drive = DriveOf(path);
  if (!IsDesignation(drive)) {
    std::vector<Mount> mounts = Mounts();
    const Mount* m = MountHolding(mounts, drive);
    return m != nullptr ? DriveTypeOfMount(*m) : kDriveFixed;
  }
  const DriveEntry* e = drives_.Find(drive[0]);
  if (e == nullptr) return kDriveNoRootDir;
  // A drive that follows a device stays what it is while its medium is out,
  // as a floppy drive without a floppy does.
  if (e->type == kDriveRemovable || !e->device.empty()) return e->type;
  try {
    DriveDirectory(drive[0]);
  } catch (const Error&) {
    return kDriveNoRootDir;
  }
  return e->type;
}

int64_t Platform::UsedClusters(const std::string& dir, const Geometry& geometry) const {
  std::vector<std::string> names;
  if (sys_->ListDirectory(dir.c_str(), &names) != 0) RaiseErrno(errno, dir);
  int64_t used = 0;
  for (const auto& n : names) {
    struct stat st;
    if (sys_->Stat(JoinPath(dir, n).c_str(), &st) != 0) {
      if (errno == ENOENT) continue;  // deleted meanwhile
      RaiseErrno(errno, JoinPath(dir, n));
    }
    // A folder takes at least one cluster for its entries; an empty file
    // takes none.
    used += S_ISDIR(st.st_mode)
                ? 1
                : ClustersFor(static_cast<int64_t>(st.st_size), geometry.cluster_bytes());
  }
  return used;
}

SpaceFigures Platform::SpaceQuery(const std::string& path) const {
  SpaceFigures f;
  try {
    std::string drive = DriveOf(path);
    const DriveEntry* e = IsDesignation(drive) ? drives_.Find(drive[0]) : nullptr;
    std::string dir = IsDesignation(drive) ? DriveDirectory(drive[0]) : drive;
    if (e != nullptr && e->geometry) {
      const Geometry& g = *e->geometry;
      int64_t used = UsedClusters(dir, g);
      f.sectors_per_cluster = g.sectors_per_cluster;
      f.bytes_per_sector = g.bytes_per_sector;
      f.total_clusters = g.total_clusters;
      f.free_clusters = std::max<int64_t>(0, g.total_clusters - used);
      return f;
    }
    struct statvfs vfs;
    if (sys_->StatVfs(dir.c_str(), &vfs) != 0) return SpaceFigures{};
    // The fragment size is the unit of allocation: one sector per cluster.
    f.sectors_per_cluster = 1;
    f.bytes_per_sector = static_cast<int64_t>(vfs.f_frsize);
    f.free_clusters = static_cast<int64_t>(vfs.f_bavail);
    f.total_clusters = static_cast<int64_t>(vfs.f_blocks);
  } catch (const Error&) {
    return SpaceFigures{};
  }
  return f;
}

CapacityCheck Platform::CapacityFor(const std::string& path) const {
  const DriveEntry* e = EntryOf(path);
  if (e == nullptr || !e->geometry) return {};
  char letter = e->letter;
  Geometry g = *e->geometry;
  return [this, letter, g](int64_t current_length) {
    // Raises 68 once the floppy is out, as a real drive would refuse.
    std::string dir = DriveDirectory(letter);
    int64_t free = std::max<int64_t>(0, g.total_clusters - UsedClusters(dir, g));
    return (ClustersFor(current_length, g.cluster_bytes()) + free) * g.cluster_bytes();
  };
}

void Platform::RaisePathError(int err, const std::string& host, const std::string& path) const {
  struct stat st;
  if (err == ENOENT && sys_->Stat(ParentOf(host).c_str(), &st) != 0) Raise(kPathNotFound, path);
  RaiseErrno(err, path);
}

File Platform::Open(const std::string& path, OpenMode mode) const {
  std::string host = HostPath(path);
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::kRead:
      flags |= O_RDONLY;
      break;
    case OpenMode::kWriteText:
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      break;
    case OpenMode::kReadWrite:
      flags |= O_RDWR | O_CREAT;
      break;
  }
  int fd;
  do {
    fd = sys_->Open(host.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    // A file system that refuses a name (a colon on FAT) says EINVAL.
    if (errno == EINVAL) Raise(kBadFileName, path);
    RaisePathError(errno, host, path);
  }
  File file(sys_, fd, path, mode == OpenMode::kRead ? CapacityCheck{} : CapacityFor(path));
  if (mode == OpenMode::kRead) {
    // A folder opens for reading but is no file.
    struct stat st;
    if (sys_->FStat(fd, &st) != 0) RaiseErrno(errno, path);
    if (S_ISDIR(st.st_mode)) Raise(kFileAccessError, path);
  }
  return file;
}

int64_t Platform::FileLen(const std::string& path) const {
  std::string host = HostPath(path);
  struct stat st;
  if (sys_->Stat(host.c_str(), &st) != 0) RaisePathError(errno, host, path);
  return static_cast<int64_t>(st.st_size);
}

std::tm Platform::FileDateTime(const std::string& path) const {
  std::string host = HostPath(path);
  struct stat st;
  if (sys_->Stat(host.c_str(), &st) != 0) RaisePathError(errno, host, path);
  std::tm out{};
  time_t t = st.st_mtime;
  localtime_r(&t, &out);
  return out;
}

bool Platform::Exists(const std::string& path) const {
  struct stat st;
  if (sys_->Stat(HostPath(path).c_str(), &st) == 0) return true;
  if (errno == ENOENT || errno == ENOTDIR) return false;
  RaiseErrno(errno, path);
}

bool Platform::IsDirectory(const std::string& path) const {
  struct stat st;
  return sys_->Stat(HostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void Platform::Kill(const std::string& path) const {
  std::string host = HostPath(path);
  if (sys_->Unlink(host.c_str()) != 0) RaisePathError(errno, host, path);
}

void Platform::Rename(const std::string& from, const std::string& to) const {
  if (DriveOf(from) != DriveOf(to)) Raise(kRenameAcrossDrives, to);
  std::string host_from = HostPath(from);
  std::string host_to = HostPath(to);
  if (sys_->RenameNoReplace(host_from.c_str(), host_to.c_str()) == 0) return;
  int err = errno;
  if (err == EEXIST) Raise(kFileAlreadyExists, to);
  if (err == EINVAL) Raise(kBadFileName, to);
  if (err == ENOENT) {
    // Either the file is missing or the folder it should go to.
    struct stat st;
    if (sys_->Stat(host_from.c_str(), &st) != 0) RaisePathError(ENOENT, host_from, from);
    Raise(kPathNotFound, to);
  }
  RaiseErrno(err, from);
}

void Platform::FlushToMedium(const std::string& path) const {
  std::string host = HostPath(path);
  for (const std::string& target : {host, ParentOf(host)}) {
    int fd;
    do {
      fd = sys_->Open(target.c_str(), O_RDONLY | O_CLOEXEC, 0);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) RaisePathError(errno, host, path);
    // Some file systems cannot sync a directory (EINVAL); their entries go
    // out with the file's data.
    if (sys_->FSync(fd) != 0 && !(target != host && errno == EINVAL)) {
      int err = errno;
      sys_->Close(fd);
      RaiseErrno(err, path);
    }
    // Don't retry close on EINTR: the descriptor is gone either way, and the
    // data went out with the fsync above.
    if (sys_->Close(fd) != 0 && errno != EINTR) RaiseErrno(errno, path);
  }
}

std::vector<std::string> Platform::ListFiles(const std::string& directory) const {
  std::string host = HostPath(directory);
  std::vector<std::string> names;
  if (sys_->ListDirectory(host.c_str(), &names) != 0) {
    if (errno == ENOENT) Raise(kPathNotFound, directory);
    RaiseErrno(errno, directory);
  }
  std::vector<std::string> files;
  for (auto& n : names) {
    if (n.empty() || n[0] == '.') continue;
    struct stat st;
    if (sys_->Stat(JoinPath(host, n).c_str(), &st) != 0) {
      if (errno == ENOENT) continue;  // deleted meanwhile
      RaiseErrno(errno, JoinPath(host, n));
    }
    if (S_ISREG(st.st_mode)) files.push_back(std::move(n));
  }
  std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
    int c = ::strcasecmp(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
  });
  return files;
}

}  // namespace tavrix
