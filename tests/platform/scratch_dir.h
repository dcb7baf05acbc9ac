// A fresh directory for one platform test, removed afterwards, with small
// helpers to lay out files in it.
#pragma once

#include <string>

#include "platform/drive_table.h"

namespace tavrix::testing {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  // Absolute path of `relative` inside the directory.
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }
  // Creates the folder `relative` (and its parents); returns its path.
  std::string MakeDir(const std::string& relative) const;
  // Writes `bytes` to the file `relative`, folders created; returns its path.
  std::string Write(const std::string& relative, const std::string& bytes) const;

 private:
  std::string path_;
};

// A drive-table entry for letter `letter` on `dir`, of drive type `type`,
// emulating the floppy geometry named `geometry` when one is given.
inline DriveEntry Entry(char letter, const std::string& dir, int type,
                        const char* geometry = nullptr) {
  DriveEntry e;
  e.letter = letter;
  e.directory = dir;
  e.type = type;
  if (geometry != nullptr) e.geometry = GeometryByName(geometry);
  return e;
}

}  // namespace tavrix::testing
