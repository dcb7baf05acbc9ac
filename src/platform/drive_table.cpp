#include "platform/drive_table.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace tavrix {

std::optional<Geometry> GeometryByName(const std::string& name) {
  if (name == "360k") return Geometry{2, 512, 354};
  if (name == "720k") return Geometry{2, 512, 713};
  if (name == "1.2m") return Geometry{1, 512, 2371};
  if (name == "1.44m") return Geometry{1, 512, 2847};
  return std::nullopt;
}

void DriveTable::Set(DriveEntry e) {
  e.letter = static_cast<char>(std::tolower(static_cast<unsigned char>(e.letter)));
  char key = e.letter;
  entries_[key] = std::move(e);
}

const DriveEntry* DriveTable::Find(char letter) const {
  auto it = entries_.find(static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
  return it == entries_.end() ? nullptr : &it->second;
}

std::vector<DriveEntry> DriveTable::Entries() const {
  std::vector<DriveEntry> out;
  for (const auto& [letter, entry] : entries_) out.push_back(entry);
  return out;
}

namespace {

std::optional<int> TypeByName(const std::string& name) {
  if (name == "removable") return kDriveRemovable;
  if (name == "fixed") return kDriveFixed;
  if (name == "cdrom") return kDriveCdrom;
  if (name == "remote") return kDriveRemote;
  if (name == "ramdisk") return kDriveRamdisk;
  return std::nullopt;
}

std::string BaseName(const std::string& dir) {
  std::string d = dir;
  while (d.size() > 1 && d.back() == '/') d.pop_back();
  auto slash = d.rfind('/');
  return slash == std::string::npos ? d : d.substr(slash + 1);
}

}  // namespace

const char kDriveOptionUsage[] =
    "--drive L=DIR[,type=removable|fixed|cdrom|remote|ramdisk][,geometry=360k|720k|1.2m|1.44m]";

std::optional<DriveEntry> ParseDriveOption(const std::string& value, std::string* error) {
  auto fail = [&](const std::string& why) -> std::optional<DriveEntry> {
    *error = "--drive " + value + ": " + why + "\nusage: " + kDriveOptionUsage;
    return std::nullopt;
  };
  if (value.size() < 2 || !std::isalpha(static_cast<unsigned char>(value[0])) || value[1] != '=') {
    return fail("expected a drive letter, '=' and a directory");
  }
  DriveEntry e;
  e.letter = static_cast<char>(std::tolower(static_cast<unsigned char>(value[0])));
  std::string rest = value.substr(2);
  // The directory runs to the first ",type=" or ",geometry=", so that a
  // directory name may itself hold commas.
  size_t opts = std::string::npos;
  for (const char* key : {",type=", ",geometry="}) opts = std::min(opts, rest.find(key));
  e.directory = rest.substr(0, opts);
  if (e.directory.empty()) return fail("the directory is missing");
  // Host paths are matched against the table as absolute paths.
  if (e.directory[0] != '/') {
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd) != nullptr) e.directory = std::string(cwd) + "/" + e.directory;
  }
  while (e.directory.size() > 1 && e.directory.back() == '/') e.directory.pop_back();
  std::optional<int> type;
  while (opts != std::string::npos) {
    size_t next = rest.find(',', opts + 1);
    std::string opt = rest.substr(opts + 1, next == std::string::npos ? next : next - opts - 1);
    auto eq = opt.find('=');
    std::string key = opt.substr(0, eq);
    std::string val = eq == std::string::npos ? "" : opt.substr(eq + 1);
    if (key == "type") {
      type = TypeByName(val);
      if (!type) return fail("unknown type '" + val + "'");
    } else if (key == "geometry") {
      e.geometry = GeometryByName(val);
      if (!e.geometry) return fail("unknown geometry '" + val + "'");
    } else {
      return fail("unknown setting '" + key + "'");
    }
    opts = next;
  }
  e.type = type ? *type : (e.geometry ? kDriveRemovable : kDriveFixed);
  e.label = BaseName(e.directory);
  return e;
}

}  // namespace tavrix
