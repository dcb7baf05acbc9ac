// System calls that fail on request: the way tests pull a floppy mid-piece,
// fill a disk or write-protect a floppy at an exact step.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/sys_calls.h"

namespace tavrix::testing {

class FaultInjector : public SysCalls {
 public:
  // Makes calls of `op` ("Open", "PRead", "PWrite", "Close", "FSync",
  // "FTruncate", "FStat", "Stat", "Unlink", "RenameNoReplace", "StatVfs",
  // "ListDirectory", "CopyFileRange") on a path containing `path_part` fail
  // with `err`: the `nth` such call from now (1-based), or every one from
  // then on when `sticky`.
  void FailOn(const std::string& op, int err, const std::string& path_part = "", int nth = 1,
              bool sticky = false);
  void Clear() { rules_.clear(); }
  // How many calls of `op` were made.
  int Count(const std::string& op) const;

  int Open(const char* path, int flags, mode_t mode) override;
  ssize_t Read(int fd, void* buf, size_t count) override;
  ssize_t PRead(int fd, void* buf, size_t count, off_t offset) override;
  ssize_t PWrite(int fd, const void* buf, size_t count, off_t offset) override;
  ssize_t CopyFileRange(int fd_in, off_t* off_in, int fd_out, off_t* off_out, size_t len) override;
  int Close(int fd) override;
  int FSync(int fd) override;
  int FTruncate(int fd, off_t length) override;
  int FStat(int fd, struct stat* st) override;
  int Stat(const char* path, struct stat* st) override;
  int Unlink(const char* path) override;
  int RenameNoReplace(const char* from, const char* to) override;
  int StatVfs(const char* path, struct statvfs* st) override;
  int ListDirectory(const char* path, std::vector<std::string>* names) override;

 private:
  struct Rule {
    std::string op;
    int err;
    std::string path_part;
    int countdown;
    bool sticky;
  };
  // True (errno set) when this call must fail.
  bool Fails(const std::string& op, const std::string& path);
  std::string PathOf(int fd) const;

  std::vector<Rule> rules_;
  std::map<std::string, int> counts_;
  std::map<int, std::string> fd_paths_;
};

}  // namespace tavrix::testing
