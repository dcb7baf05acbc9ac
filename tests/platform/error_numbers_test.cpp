#include "platform/error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tavrix {
namespace {

TEST(ErrorNumbers, ErrnoMapsToTheNumberAndTextUsersSee) {
  struct Case {
    int err;
    int number;
    const char* text;
  } cases[] = {
      {ENOENT, 53, "File not found"},
      {EEXIST, 58, "File already exists"},
      {ENOSPC, 61, "Disk full"},
      {EDQUOT, 61, "Disk full"},
      {EFBIG, 61, "Disk full"},
      {ENXIO, 68, "Device unavailable"},
      {ENODEV, 68, "Device unavailable"},
      {ENOMEDIUM, 71, "Disk not ready"},
      {EACCES, 70, "Permission denied"},
      {EPERM, 70, "Permission denied"},
      {EROFS, 70, "Permission denied"},
      {EIO, 57, "Device I/O error"},
      {ENOTDIR, 76, "Path not found"},
      {EISDIR, 75, "File access error"},
      {EBUSY, 75, "File access error"},
      {ETXTBSY, 75, "File access error"},
      {ENAMETOOLONG, 52, "Bad file name"},
      {EMFILE, 67, "Too many files open"},
      {ENFILE, 67, "Too many files open"},
      {EXDEV, 74, "Cannot rename across drives"},
      {ENOMEM, 7, "Out of memory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    EXPECT_EQ(ErrorNumberForErrno(c.err), c.number);
    try {
      RaiseErrno(c.err, "a:\\Tx~1.2");
      ADD_FAILURE() << "nothing raised";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.number);
      EXPECT_EQ(e.text(), c.text);
      EXPECT_EQ(e.path(), "a:\\Tx~1.2");
    }
  }
}

TEST(ErrorNumbers, NumbersRaisedByTheProgramItselfHaveTheirTexts) {
  struct Case {
    int number;
    const char* text;
  } cases[] = {
      {5, "Invalid argument"}, {6, "Overflow"},
      {7, "Out of memory"},    {9, "Index out of range"},
      {76, "Path not found"},  {1234, "Application-defined or object-defined error"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorText(c.number), c.text) << c.number;
    Error e(c.number, "");
    EXPECT_EQ(e.number(), c.number);
    EXPECT_EQ(e.text(), c.text);
  }
}

}  // namespace
}  // namespace tavrix
