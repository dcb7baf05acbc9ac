// A fresh directory for one platform test, removed afterwards, with small
// helpers to lay out files in it.
#pragma once

#include <string>

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

}  // namespace tavrix::testing
