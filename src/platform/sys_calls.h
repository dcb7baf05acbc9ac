// The one replaceable point through which the platform layer reaches the
// operating system.
//
// Every method mirrors a system call: it returns -1 (or nullptr) and leaves
// the reason in errno on failure.  Tests derive from SysCalls to make any call
// fail with any errno at any step: a floppy pulled mid-piece (ENXIO), a full
// disk (ENOSPC), a write-protected floppy (EROFS), a failing medium (EIO).
#pragma once

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace tavrix {

class SysCalls {
 public:
  virtual ~SysCalls() = default;

  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Read(int fd, void* buf, size_t count);
  virtual ssize_t PRead(int fd, void* buf, size_t count, off_t offset);
  virtual ssize_t PWrite(int fd, const void* buf, size_t count, off_t offset);
  virtual ssize_t CopyFileRange(int fd_in, off_t* off_in, int fd_out, off_t* off_out, size_t len);
  virtual int Close(int fd);
  virtual int FSync(int fd);
  virtual int FTruncate(int fd, off_t length);
  virtual int FStat(int fd, struct stat* st);
  virtual int Stat(const char* path, struct stat* st);
  virtual int Unlink(const char* path);
  // rename that never replaces an existing target (EEXIST instead).
  virtual int RenameNoReplace(const char* from, const char* to);
  virtual int StatVfs(const char* path, struct statvfs* st);
  // Names in a directory, "." and ".." left out; -1 and errno on failure.
  virtual int ListDirectory(const char* path, std::vector<std::string>* names);
  // Whole content of a small text file such as the mount table; -1 on failure.
  virtual int ReadTextFile(const char* path, std::string* content);
};

// The operating system itself.
SysCalls& RealSysCalls();

}  // namespace tavrix
