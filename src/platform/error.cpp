#include "platform/error.h"

#include <cerrno>

namespace tavrix {

// The two tables read best one case to a line.
// clang-format off
std::string ErrorText(int number) {
  switch (number) {
    case kInvalidArgument: return "Invalid argument";
    case kOverflow: return "Overflow";
    case kOutOfMemory: return "Out of memory";
    case kIndexOutOfRange: return "Index out of range";
    case kBadFileName: return "Bad file name";
    case kFileNotFound: return "File not found";
    case kDeviceIoError: return "Device I/O error";
    case kFileAlreadyExists: return "File already exists";
    case kDiskFull: return "Disk full";
    case kTooManyFiles: return "Too many files open";
    case kDeviceUnavailable: return "Device unavailable";
    case kPermissionDenied: return "Permission denied";
    case kDiskNotReady: return "Disk not ready";
    case kRenameAcrossDrives: return "Cannot rename across drives";
    case kFileAccessError: return "File access error";
    case kPathNotFound: return "Path not found";
    default: return "Application-defined or object-defined error";
  }
}

int ErrorNumberForErrno(int err) {
  switch (err) {
    case ENOENT: return kFileNotFound;
    case EEXIST: return kFileAlreadyExists;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kDiskFull;
    // A medium pulled out, or a network share whose server went away: the
    // user can put it back and retry.
    case ENXIO:
    case ENODEV:
    case ENOTCONN:
    case ESTALE:
    case EHOSTDOWN:
    case EHOSTUNREACH: return kDeviceUnavailable;
    case ENOMEDIUM: return kDiskNotReady;
    case EACCES:
    case EPERM:
    case EROFS: return kPermissionDenied;
    case EIO: return kDeviceIoError;
    case ENOTDIR:
    case ELOOP: return kPathNotFound;
    case EISDIR:
    case EBUSY:
    case ETXTBSY:
    case ENOTEMPTY:
    case EAGAIN:
    case ENOTSUP: return kFileAccessError;
    case ENAMETOOLONG:
    case EILSEQ: return kBadFileName;
    case EMFILE:
    case ENFILE: return kTooManyFiles;
    case EXDEV: return kRenameAcrossDrives;
    case EINVAL: return kInvalidArgument;
    case EOVERFLOW: return kOverflow;
    case ENOMEM: return kOutOfMemory;
    // Anything else the device said is an I/O failure to the user.
    default: return kDeviceIoError;
  }
}

// clang-format on

Error::Error(int number, std::string path)
    : std::runtime_error("Error " + std::to_string(number) + ": " + ErrorText(number) +
                         (path.empty() ? std::string() : " (" + path + ")")),
      number_(number),
      text_(ErrorText(number)),
      path_(std::move(path)) {}

void RaiseErrno(int err, const std::string& path) {
  throw Error(ErrorNumberForErrno(err), path);
}

void Raise(int number, const std::string& path) {
  throw Error(number, path);
}

}  // namespace tavrix
