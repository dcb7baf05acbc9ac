// A move-only open file of the platform layer.
//
// Closed means no descriptor.  Reads and writes retry EINTR and handle short
// counts; every failure raises the numbered Error with the file's path.  A
// file on a drive that emulates a floppy of a given geometry refuses to grow
// past the floppy's capacity with 61, as a full floppy would.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tavrix {

class SysCalls;

// The room of a file on an emulated floppy; called before every write.
// Given the file's current length, returns the length in bytes the file may
// reach in all (its own clusters plus the floppy's free ones).  Raises when
// the floppy cannot be measured (68 once it is out of the drive).
using CapacityCheck = std::function<int64_t(int64_t current_length)>;

class File {
 public:
  File() = default;
  File(SysCalls* sys, int fd, std::string path, CapacityCheck capacity = {});
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  // Closes silently: reached only when an error is already on its way.
  ~File();

  bool is_open() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  int fd() const { return fd_; }

  // Reads up to `count` bytes at `pos` (0-based); returns the number read,
  // short only at end of file.  Raises on failure.
  int64_t ReadAt(void* buf, int64_t count, int64_t pos);
  // Writes all `count` bytes at `pos`; raises on failure (61 when the disk,
  // or the emulated floppy, is full: what fitted stays written).
  void WriteAt(const void* buf, int64_t count, int64_t pos);
  // Current length in bytes; raises on failure.
  int64_t Length();
  // Cuts the file to `length` bytes; raises on failure.
  void Truncate(int64_t length);
  // Flushes the file's data to the medium; raises on failure.
  void Sync();
  // Closes; raises when the close reports an error (the data may be lost).
  // The descriptor is gone either way, so a close is never retried: EINTR
  // too is raised, as the data may not have reached the file.
  void Close();

  SysCalls* sys() const { return sys_; }

 private:
  void Reset() noexcept;

  SysCalls* sys_ = nullptr;
  int fd_ = -1;
  std::string path_;
  CapacityCheck capacity_;
};

}  // namespace tavrix
