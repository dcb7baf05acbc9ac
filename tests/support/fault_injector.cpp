#include "support/fault_injector.h"

#include <cerrno>

namespace tavrix::testing {

void FaultInjector::FailOn(const std::string& op, int err, const std::string& path_part, int nth,
                           bool sticky) {
  rules_.push_back({op, err, path_part, nth, sticky});
}

int FaultInjector::Count(const std::string& op) const {
  auto it = counts_.find(op);
  return it == counts_.end() ? 0 : it->second;
}

bool FaultInjector::Fails(const std::string& op, const std::string& path) {
  ++counts_[op];
  for (auto& rule : rules_) {
    if (rule.op != op || path.find(rule.path_part) == std::string::npos) continue;
    if (rule.countdown > 1) {
      --rule.countdown;
      continue;
    }
    if (rule.countdown == 1 || rule.sticky) {
      rule.countdown = 0;
      errno = rule.err;
      return true;
    }
  }
  return false;
}

std::string FaultInjector::PathOf(int fd) const {
  auto it = fd_paths_.find(fd);
  return it == fd_paths_.end() ? std::string() : it->second;
}

int FaultInjector::Open(const char* path, int flags, mode_t mode) {
  if (Fails("Open", path)) return -1;
  int fd = SysCalls::Open(path, flags, mode);
  if (fd >= 0) fd_paths_[fd] = path;
  return fd;
}
ssize_t FaultInjector::Read(int fd, void* buf, size_t count) {
  if (Fails("Read", PathOf(fd))) return -1;
  return SysCalls::Read(fd, buf, count);
}
ssize_t FaultInjector::PRead(int fd, void* buf, size_t count, off_t offset) {
  if (Fails("PRead", PathOf(fd))) return -1;
  return SysCalls::PRead(fd, buf, count, offset);
}
ssize_t FaultInjector::PWrite(int fd, const void* buf, size_t count, off_t offset) {
  if (Fails("PWrite", PathOf(fd))) return -1;
  return SysCalls::PWrite(fd, buf, count, offset);
}
ssize_t FaultInjector::CopyFileRange(int fd_in, off_t* off_in, int fd_out, off_t* off_out,
                                     size_t len) {
  if (Fails("CopyFileRange", PathOf(fd_out))) return -1;
  return SysCalls::CopyFileRange(fd_in, off_in, fd_out, off_out, len);
}
int FaultInjector::Close(int fd) {
  std::string path = PathOf(fd);
  fd_paths_.erase(fd);
  if (Fails("Close", path)) {
    SysCalls::Close(fd);  // the descriptor goes either way
    return -1;
  }
  return SysCalls::Close(fd);
}
int FaultInjector::FSync(int fd) {
  if (Fails("FSync", PathOf(fd))) return -1;
  return SysCalls::FSync(fd);
}
int FaultInjector::FTruncate(int fd, off_t length) {
  if (Fails("FTruncate", PathOf(fd))) return -1;
  return SysCalls::FTruncate(fd, length);
}
int FaultInjector::FStat(int fd, struct stat* st) {
  if (Fails("FStat", PathOf(fd))) return -1;
  return SysCalls::FStat(fd, st);
}
int FaultInjector::Stat(const char* path, struct stat* st) {
  if (Fails("Stat", path)) return -1;
  return SysCalls::Stat(path, st);
}
int FaultInjector::Unlink(const char* path) {
  if (Fails("Unlink", path)) return -1;
  return SysCalls::Unlink(path);
}
int FaultInjector::RenameNoReplace(const char* from, const char* to) {
  if (Fails("RenameNoReplace", std::string(from) + " " + to)) return -1;
  return SysCalls::RenameNoReplace(from, to);
}
int FaultInjector::StatVfs(const char* path, struct statvfs* st) {
  if (Fails("StatVfs", path)) return -1;
  return SysCalls::StatVfs(path, st);
}
int FaultInjector::ListDirectory(const char* path, std::vector<std::string>* names) {
  if (Fails("ListDirectory", path)) return -1;
  return SysCalls::ListDirectory(path, names);
}

}  // namespace tavrix::testing
