// Numbered errors raised by file and drive operations.
//
// Every failing operation of the platform layer raises an Error carrying the
// number the user sees ("Error  61 = Disk full"), the text of that number and
// the path the operation concerned.  Handlers look at the number only.
#pragma once

#include <stdexcept>
#include <string>

namespace tavrix {

// The numbers the handlers and reports know.
enum ErrorNumber : int {
  kInvalidArgument = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kIndexOutOfRange = 9,
  kBadFileName = 52,
  kFileNotFound = 53,
  kDeviceIoError = 57,
  kFileAlreadyExists = 58,
  kDiskFull = 61,
  kEndRestoreStep = 66,
  kTooManyFiles = 67,
  kDeviceUnavailable = 68,
  kPermissionDenied = 70,
  kDiskNotReady = 71,
  kRenameAcrossDrives = 74,
  kFileAccessError = 75,
  kPathNotFound = 76,
};

class Error : public std::runtime_error {
 public:
  Error(int number, std::string path);
  int number() const { return number_; }
  // The text of the number, as reports show it ("Disk full").
  const std::string& text() const { return text_; }
  const std::string& path() const { return path_; }

 private:
  int number_;
  std::string text_;
  std::string path_;
};

// Text of an error number; "Application-defined or object-defined error" for
// numbers outside the table.
std::string ErrorText(int number);

// The error number for an errno value, as the platform table maps it.
int ErrorNumberForErrno(int err);

// Raises the numbered error for errno `err` on `path`.
[[noreturn]] void RaiseErrno(int err, const std::string& path);
[[noreturn]] void Raise(int number, const std::string& path = {});

// Thrown to end the program (Cancel at a floppy prompt, a fatal report, Exit).
// It is deliberately not a std::exception so that no handler of ordinary
// errors can swallow it; files open on the way out are closed as they stand.
struct ProgramExit {
  int status = 1;
};

}  // namespace tavrix
