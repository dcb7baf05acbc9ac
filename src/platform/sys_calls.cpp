#include "platform/sys_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tavrix {

int SysCalls::Open(const char* path, int flags, mode_t mode) {
  return ::open(path, flags, mode);
}
ssize_t SysCalls::Read(int fd, void* buf, size_t count) {
  return ::read(fd, buf, count);
}
ssize_t SysCalls::PRead(int fd, void* buf, size_t count, off_t offset) {
  return ::pread(fd, buf, count, offset);
}
ssize_t SysCalls::PWrite(int fd, const void* buf, size_t count, off_t offset) {
  return ::pwrite(fd, buf, count, offset);
}
ssize_t SysCalls::CopyFileRange(int fd_in, off_t* off_in, int fd_out, off_t* off_out, size_t len) {
  return ::copy_file_range(fd_in, off_in, fd_out, off_out, len, 0);
}
int SysCalls::Close(int fd) {
  return ::close(fd);
}
int SysCalls::FSync(int fd) {
  return ::fsync(fd);
}
int SysCalls::FTruncate(int fd, off_t length) {
  return ::ftruncate(fd, length);
}
int SysCalls::FStat(int fd, struct stat* st) {
  return ::fstat(fd, st);
}
int SysCalls::Stat(const char* path, struct stat* st) {
  return ::stat(path, st);
}
int SysCalls::Unlink(const char* path) {
  return ::unlink(path);
}

int SysCalls::RenameNoReplace(const char* from, const char* to) {
  int rc =
      static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
  if (rc == 0 || (errno != EINVAL && errno != ENOSYS)) return rc;
  // The file system refuses RENAME_NOREPLACE (vfat, some FUSE mounts): a hard
  // link fails with EEXIST just the same, and the old name goes afterwards.
  if (::link(from, to) != 0) {
    if (errno != EPERM && errno != ENOTSUP) return -1;
    // No hard links either (FAT): check, then rename. Not atomic, but the
    // drive belongs to this one user and nothing else writes these names.
    struct stat st;
    if (::lstat(to, &st) == 0) {
      errno = EEXIST;
      return -1;
    }
    return ::rename(from, to);
  }
  return ::unlink(from);
}

int SysCalls::StatVfs(const char* path, struct statvfs* st) {
  return ::statvfs(path, st);
}

int SysCalls::ListDirectory(const char* path, std::vector<std::string>* names) {
  DIR* dir = ::opendir(path);
  if (dir == nullptr) return -1;
  names->clear();
  errno = 0;
  while (struct dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names->push_back(name);
    errno = 0;
  }
  int err = errno;
  ::closedir(dir);
  if (err != 0) {
    errno = err;
    return -1;
  }
  return 0;
}

int SysCalls::ReadTextFile(const char* path, std::string* content) {
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  content->clear();
  char buf[4096];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int err = errno;
      ::close(fd);
      errno = err;
      return -1;
    }
    if (n == 0) break;
    content->append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return 0;
}

SysCalls& RealSysCalls() {
  static SysCalls real;  // stateless: the system itself
  return real;
}

}  // namespace tavrix
