#include "restore/target_name.h"

#include <cctype>

#include "format/piece_name.h"
#include "restore/main_form.h"
#include "split/error_report.h"

namespace tavrix {

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

bool IsWorkingFileName(const std::string& name) {
  std::string upper = Upper(name);
  if (upper == Upper(kStartFileName)) return true;
  std::string hold = Upper(kHoldPrefix);
  if (upper.size() <= hold.size() || upper.compare(0, hold.size(), hold) != 0) return false;
  for (size_t i = hold.size(); i < upper.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(upper[i]))) return false;
  }
  return true;
}

std::string SafeFileName(const std::string& recorded) {
  // A drive designation ends at its colon just as a folder ends at its
  // separator: "a:x" names x, never a file on another drive.
  auto sep = recorded.find_last_of("\\/:");
  std::string name = sep == std::string::npos ? recorded : recorded.substr(sep + 1);
  // A leading dot would hide the file and could plant a start-up file
  // (.profile) when the target is a home directory; "." and ".." are
  // folders, not files.
  if (name.empty() || name[0] == '.') return "";
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7f) return "";
  }
  // The restore's own working files would be deleted or overwritten by the
  // restore itself.
  if (IsWorkingFileName(name)) return "";
  return name;
}

std::string PlaceOriginalName(const MainForm& form, const std::string& recorded) {
  // The target is unknown until the user has chosen it: CleanUp empties
  // TargetDrive, and only the target question fills it.
  if (form.r.TargetDrive.empty()) return recorded;
  std::string name = SafeFileName(recorded);
  if (name.empty()) return "";
  return form.r.TargetDrive.substr(0, 2) + "\\" + name;
}

bool NameTaken(MainForm& form, const std::string& path) {
  return form.platform.IsDirectory(path) || FileExists(form, path);
}

}  // namespace tavrix
