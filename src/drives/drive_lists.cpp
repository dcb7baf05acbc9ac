#include "drives/drive_lists.h"

#include <unistd.h>

#include <cctype>

#include "drives/disk_info.h"
#include "restore/main_form.h"

namespace tavrix {

std::vector<std::string> DriveListEntries(const MainForm& form) {
  std::vector<std::string> out;
  for (const auto& e : form.platform.drives().Entries()) {
    out.push_back(e.designation() + " [" + e.label + "]");
  }
  return out;
}

void SelectDrive1(MainForm& form, const std::string& drive) {
  std::string d = drive.substr(0, 2);
  if (d.size() == 2) d[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(d[0])));
  // The list cannot show a drive without its medium.
  if (!Platform::IsDesignation(d)) Raise(kDeviceUnavailable, d);
  form.platform.DriveDirectory(d[0]);
  if (d == form.Drive1.drive) return;
  form.Drive1.drive = d;
  Drive1_Change(form);
}

std::string StartupDrive(const MainForm& form) {
  char buf[4096];
  if (::getcwd(buf, sizeof buf) != nullptr) {
    std::string drive = form.platform.DriveOf(buf);
    if (Platform::IsDesignation(drive)) return drive;
  }
  return "c:";
}

void PointFile1(MainForm& form, const std::string& drive) {
  std::string path = drive.substr(0, 2) + "\\";
  form.File1.names = form.platform.ListFiles(path);
  form.File1.path = path;
}

void RereadFile1(MainForm& form) { form.File1.names = form.platform.ListFiles(form.File1.path); }

}  // namespace tavrix
