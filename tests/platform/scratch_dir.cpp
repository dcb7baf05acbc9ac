#include "scratch_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tavrix::testing {

ScratchDir::ScratchDir() {
  std::string tmpl = (fs::temp_directory_path() / "tavrix-platform-XXXXXX").string();
  if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string ScratchDir::MakeDir(const std::string& relative) const {
  std::string dir = *this / relative;
  fs::create_directories(dir);
  return dir;
}

std::string ScratchDir::Write(const std::string& relative, const std::string& bytes) const {
  std::string file = *this / relative;
  fs::create_directories(fs::path(file).parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file);
  return file;
}

}  // namespace tavrix::testing
