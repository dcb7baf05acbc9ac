#include "platform/file.h"

#include <sys/stat.h>
#include <algorithm>
#include <cerrno>

#include "platform/error.h"
#include "platform/sys_calls.h"

namespace tavrix {

File::File(SysCalls* sys, int fd, std::string path, CapacityCheck capacity)
    : sys_(sys), fd_(fd), path_(std::move(path)), capacity_(std::move(capacity)) {}

File::File(File&& other) noexcept
    : sys_(other.sys_),
      fd_(other.fd_),
      path_(std::move(other.path_)),
      capacity_(std::move(other.capacity_)) {
  other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Reset();
    sys_ = other.sys_;
    fd_ = other.fd_;
    path_ = std::move(other.path_);
    capacity_ = std::move(other.capacity_);
    other.fd_ = -1;
  }
  return *this;
}

File::~File() {
  Reset();
}

void File::Reset() noexcept {
  if (fd_ >= 0) {
    // Don't retry close on EINTR: the descriptor is gone either way.
    sys_->Close(fd_);
    fd_ = -1;
  }
}

int64_t File::ReadAt(void* buf, int64_t count, int64_t pos) {
  auto* out = static_cast<char*>(buf);
  int64_t done = 0;
  while (done < count) {
    ssize_t n = sys_->PRead(fd_, out + done, static_cast<size_t>(count - done),
                            static_cast<off_t>(pos + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseErrno(errno, path_);
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

void File::WriteAt(const void* buf, int64_t count, int64_t pos) {
  int64_t allowed = count;
  if (capacity_) {
    int64_t length = Length();
    int64_t room = capacity_(length);  // how long the file may become
    if (pos + count > length && pos + count > room) allowed = std::max<int64_t>(0, room - pos);
  }
  const auto* in = static_cast<const char*>(buf);
  int64_t done = 0;
  while (done < allowed) {
    ssize_t n = sys_->PWrite(fd_, in + done, static_cast<size_t>(allowed - done),
                             static_cast<off_t>(pos + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseErrno(errno, path_);
    }
    if (n == 0) RaiseErrno(ENOSPC, path_);
    done += n;
  }
  if (allowed < count) Raise(kDiskFull, path_);
}

int64_t File::Length() {
  struct stat st;
  if (sys_->FStat(fd_, &st) != 0) RaiseErrno(errno, path_);
  return static_cast<int64_t>(st.st_size);
}

void File::Truncate(int64_t length) {
  while (sys_->FTruncate(fd_, static_cast<off_t>(length)) != 0) {
    if (errno != EINTR) RaiseErrno(errno, path_);
  }
}

void File::Sync() {
  if (sys_->FSync(fd_) != 0) RaiseErrno(errno, path_);
}

void File::Close() {
  if (fd_ < 0) return;
  int fd = fd_;
  fd_ = -1;
  // Don't retry close on EINTR: the descriptor may already belong to another
  // file.  Report it all the same; the data may not have been written.
  if (sys_->Close(fd) != 0) RaiseErrno(errno, path_);
}

}  // namespace tavrix
