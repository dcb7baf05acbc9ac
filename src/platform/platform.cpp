#include "platform/platform.h"

#include <fcntl.h>
#include <strings.h>

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
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

// True when `path` is `dir` or lies below it.
bool Holds(const std::string& dir, const std::string& path) {
  if (dir.empty()) return false;
  std::string d = dir;
  while (d.size() > 1 && d.back() == '/') d.pop_back();
  if (path == d) return true;
  if (d == "/") return !path.empty() && path[0] == '/';
  return path.size() > d.size() && path.compare(0, d.size(), d) == 0 && path[d.size()] == '/';
}

}  // namespace

std::string DecodeMountField(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() + 0 && std::isdigit(static_cast<unsigned char>(field[i + 1])) &&
        std::isdigit(static_cast<unsigned char>(field[i + 2])) &&
        std::isdigit(static_cast<unsigned char>(field[i + 3]))) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

Platform::Platform(SysCalls& sys, DriveTable drives, std::string mount_table)
    : sys_(&sys), drives_(std::move(drives)), mount_table_(std::move(mount_table)) {}

bool Platform::IsDesignation(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::string Platform::MountPointOf(const std::string& device) const {
  std::string table;
  if (sys_->ReadTextFile(mount_table_.c_str(), &table) != 0) return {};
  std::istringstream lines(table);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string dev, dir;
    if (!(fields >> dev >> dir)) continue;
    if (DecodeMountField(dev) == device) return DecodeMountField(dir);
  }
  return {};
}

std::string Platform::DriveDirectory(char letter) const {
  const DriveEntry* e = drives_.Find(letter);
  std::string designation = std::string(1, static_cast<char>(std::tolower(letter))) + ":";
  if (e == nullptr) Raise(kDeviceUnavailable, designation);
  std::string dir = e->directory;
  if (!e->device.empty()) {
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
  std::string dir = DriveDirectory(path[0]);
  std::string rest = path.substr(2);
  std::replace(rest.begin(), rest.end(), '\\', '/');
  std::string host = dir;
  std::istringstream parts(rest);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (part.empty()) continue;
    std::string name = part;
    if (e != nullptr && e->case_insensitive() && part != "." && part != "..") {
      std::vector<std::string> names;
      if (sys_->ListDirectory(host.c_str(), &names) == 0) {
        for (const auto& n : names) {
          if (n == part) { name = n; break; }
          if (SameIgnoringCase(n, part)) name = n;
        }
      }
    }
    host = JoinPath(host, name);
  }
  return host;
}

std::string Platform::DriveOf(const std::string& path) const {
  if (IsDesignation(path)) return path.substr(0, 2);
  std::string best;
  size_t best_len = 0;
  for (const auto& e : drives_.Entries()) {
    std::string dir;
    try {
      dir = DriveDirectory(e.letter);
    } catch (const Error&) {
      continue;
    }
    if (Holds(dir, path) && dir.size() >= best_len) {
      best = e.designation();
      best_len = dir.size();
    }
  }
  if (!best.empty()) return best;
  // On no mapped drive: the mount point that holds it.
  std::string table;
  std::string mount = "/";
  if (sys_->ReadTextFile(mount_table_.c_str(), &table) == 0) {
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream fields(line);
      std::string dev, dir;
      if (!(fields >> dev >> dir)) continue;
      dir = DecodeMountField(dir);
      if (Holds(dir, path) && dir.size() > mount.size()) mount = dir;
    }
  }
  return mount;
}

const DriveEntry* Platform::EntryOf(const std::string& path) const {
  std::string drive = DriveOf(path);
  return IsDesignation(drive) ? drives_.Find(drive[0]) : nullptr;
}

int Platform::DriveType(const std::string& path) const {
  std::string drive = DriveOf(path);
  if (!IsDesignation(drive)) return kDriveFixed;
  const DriveEntry* e = drives_.Find(drive[0]);
  if (e == nullptr) return kDriveNoRootDir;
  // A floppy drive stays a floppy drive while its medium is out.
  if (e->type == kDriveRemovable) return e->type;
  try {
    DriveDirectory(drive[0]);
  } catch (const Error&) {
    return kDriveNoRootDir;
  }
  return e->type;
}

SpaceFigures Platform::SpaceQuery(const std::string& path) const {
  SpaceFigures f;
  try {
    std::string drive = DriveOf(path);
    const DriveEntry* e = IsDesignation(drive) ? drives_.Find(drive[0]) : nullptr;
    std::string dir = IsDesignation(drive) ? DriveDirectory(drive[0]) : drive;
    if (e != nullptr && e->geometry) {
      const Geometry& g = *e->geometry;
      std::vector<std::string> names;
      if (sys_->ListDirectory(dir.c_str(), &names) != 0) return f;
      int64_t used = 0;
      for (const auto& n : names) {
        struct stat st;
        if (sys_->Stat(JoinPath(dir, n).c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
          used += 1;
        } else {
          used += (static_cast<int64_t>(st.st_size) + g.cluster_bytes() - 1) / g.cluster_bytes();
        }
      }
      f.sectors_per_cluster = g.sectors_per_cluster;
      f.bytes_per_sector = g.bytes_per_sector;
      f.total_clusters = g.total_clusters;
      f.free_clusters = std::max<int64_t>(0, g.total_clusters - used);
      return f;
    }
    struct statvfs vfs;
    if (sys_->StatVfs(dir.c_str(), &vfs) != 0) return f;
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
  std::string drive = e->designation();
  return [this, drive, cluster = e->geometry->cluster_bytes()](int64_t current_length) {
    SpaceFigures f = SpaceQuery(drive);
    int64_t own = (current_length + cluster - 1) / cluster;
    return (own + f.free_clusters) * cluster;
  };
}

File Platform::Open(const std::string& path, OpenMode mode) const {
  std::string host = HostPath(path);
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::kRead: flags |= O_RDONLY; break;
    case OpenMode::kWriteText: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case OpenMode::kReadWrite: flags |= O_RDWR | O_CREAT; break;
  }
  int fd;
  do {
    fd = sys_->Open(host.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    int err = errno;
    struct stat st;
    if (err == ENOENT && sys_->Stat(ParentOf(host).c_str(), &st) != 0) Raise(kPathNotFound, path);
    RaiseErrno(err, path);
  }
  return File(sys_, fd, path, mode == OpenMode::kRead ? CapacityCheck{} : CapacityFor(path));
}

int64_t Platform::FileLen(const std::string& path) const {
  struct stat st;
  if (sys_->Stat(HostPath(path).c_str(), &st) != 0) RaiseErrno(errno, path);
  return static_cast<int64_t>(st.st_size);
}

std::tm Platform::FileDateTime(const std::string& path) const {
  struct stat st;
  if (sys_->Stat(HostPath(path).c_str(), &st) != 0) RaiseErrno(errno, path);
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
  if (sys_->Unlink(HostPath(path).c_str()) != 0) RaiseErrno(errno, path);
}

void Platform::Rename(const std::string& from, const std::string& to) const {
  if (DriveOf(from) != DriveOf(to)) Raise(kRenameAcrossDrives, to);
  std::string host_from = HostPath(from);
  std::string host_to = HostPath(to);
  if (sys_->RenameNoReplace(host_from.c_str(), host_to.c_str()) != 0) {
    RaiseErrno(errno, errno == EEXIST ? to : from);
  }
}

void Platform::FlushToMedium(const std::string& path) const {
  std::string host = HostPath(path);
  for (const std::string& target : {host, ParentOf(host)}) {
    int fd = sys_->Open(target.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) RaiseErrno(errno, path);
    if (sys_->FSync(fd) != 0 && !(target != host && errno == EINVAL)) {
      int err = errno;
      sys_->Close(fd);
      RaiseErrno(err, path);
    }
    if (sys_->Close(fd) != 0 && errno != EINTR) RaiseErrno(errno, path);
  }
}

std::vector<std::string> Platform::ListFiles(const std::string& directory) const {
  std::string host = HostPath(directory);
  std::vector<std::string> names;
  if (sys_->ListDirectory(host.c_str(), &names) != 0) RaiseErrno(errno, directory);
  std::vector<std::string> files;
  for (auto& n : names) {
    if (n.empty() || n[0] == '.') continue;
    struct stat st;
    if (sys_->Stat(JoinPath(host, n).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    files.push_back(std::move(n));
  }
  std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
    int c = ::strcasecmp(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
  });
  return files;
}

}  // namespace tavrix
