#include "support/bench.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace tavrix::testing {

SerialClock FixedClock() {
  SerialClock c;
  c.now = [] {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 1;
    t.tm_mday = 13;
    t.tm_hour = 10;
    t.tm_min = 20;
    t.tm_sec = 30;
    return t;
  };
  auto digits = std::make_shared<int>(0);
  c.random = [digits] {
    static const double kDraws[] = {0.51, 0.76, 0.01, 0.40};  // 5, 7, 1, 4
    return kDraws[(*digits)++ % 4];
  };
  return c;
}

Bench::Bench(SysCalls* sys) {
  std::string tmpl = (fs::temp_directory_path() / "tavrix-test-XXXXXX").string();
  if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root = tmpl;
  a_dir = root + "/a";
  c_dir = root + "/c";
  shelf_ = root + "/shelf";
  fs::create_directories(c_dir);
  fs::create_directories(shelf_);
  DriveTable table;
  DriveEntry c;
  c.letter = 'c';
  c.directory = c_dir;
  c.type = kDriveFixed;
  c.label = "home";
  table.Set(c);
  DriveEntry a;
  a.letter = 'a';
  a.directory = a_dir;
  a.type = kDriveRemovable;
  a.geometry = GeometryByName("1.44m");
  a.label = "a";
  table.Set(a);
  platform =
      std::make_unique<Platform>(sys != nullptr ? *sys : RealSysCalls(), table, root + "/mounts");
  form = std::make_unique<MainForm>(*platform, ui, FixedClock());
  form->thousands_sep = ',';
  form->decimal_point = '.';
  form->CleanUp();
  form->Drive1.drive = "c:";
}

Bench::~Bench() {
  std::error_code ec;
  fs::remove_all(root, ec);
}

void Bench::SetDrive(const DriveEntry& entry) {
  platform->drives().Set(entry);
}

std::string Bench::AddDrive(char letter, int type, std::optional<Geometry> geometry) {
  DriveEntry e;
  e.letter = letter;
  e.directory = root + "/" + std::string(1, letter);
  e.type = type;
  e.geometry = geometry;
  e.label = std::string(1, letter);
  fs::create_directories(e.directory);
  SetDrive(e);
  return e.directory;
}

void Bench::NewFloppy(const std::string& name) {
  fs::create_directories(shelf_ + "/" + name);
}

std::string Bench::FloppyDir(const std::string& name) const {
  return name == current_ ? a_dir : shelf_ + "/" + name;
}

void Bench::Insert(const std::string& name) {
  Eject();
  fs::rename(shelf_ + "/" + name, a_dir);
  current_ = name;
}

void Bench::Eject() {
  if (!current_.empty()) fs::rename(a_dir, shelf_ + "/" + current_);
  current_.clear();
}

void Bench::WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string Bench::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Bench::FileExistsOnHost(const std::string& path) {
  return fs::exists(path);
}

std::string Bench::VariedBytes(int64_t size, uint32_t seed) {
  std::mt19937 gen(seed);
  std::string out(static_cast<size_t>(size), '\0');
  for (auto& ch : out) ch = static_cast<char>(gen() & 0xff);
  return out;
}

}  // namespace tavrix::testing
