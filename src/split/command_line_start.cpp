#include "split/command_line_start.h"

#include <unistd.h>

#include <cstdlib>

#include "drives/disk_info.h"
#include "drives/drive_lists.h"
#include "platform/sys_calls.h"
#include "restore/main_form.h"
#include "split/error_report.h"
#include "split/split_command.h"
#include "split/split_driver.h"

namespace tavrix {

std::optional<StartOptions> ParseStartOptions(const std::vector<std::string>& argv,
                                              std::string* error) {
  StartOptions o;
  auto fail = [&](const std::string& why) -> std::optional<StartOptions> {
    *error = "tavrix: " + why;
    return std::nullopt;
  };
  bool options_done = false;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    // A lone "-" is an argument; so is everything after "--".
    if (options_done || a.size() < 2 || a[0] != '-') {
      o.args.push_back(a);
      continue;
    }
    if (a == "--") {
      options_done = true;
    } else if (a == "--drive" || a.rfind("--drive=", 0) == 0) {
      std::string value;
      if (a == "--drive") {
        if (i + 1 == argv.size()) return fail("option '--drive' requires an argument");
        value = argv[++i];
      } else {
        value = a.substr(8);
      }
      std::string why;
      std::optional<DriveEntry> entry = ParseDriveOption(value, &why);
      if (!entry) return fail(why);
      o.drives.push_back(*entry);
    } else if (a == "--console") {
      o.console = true;
    } else if (a == "--split") {
      o.split = true;
    } else if (a == "--restore") {
      o.restore = true;
    } else if (a == "--help") {
      o.help = true;
    } else if (a == "--version") {
      o.version = true;
    } else {
      return fail("unrecognized option '" + a + "'");
    }
  }
  if (o.help || o.version) return o;
  // Each start runs one command; two at once would leave the second unrun.
  if (o.split && o.restore) return fail("--split and --restore cannot be used together");
  if ((o.split || o.restore) && !o.args.empty()) {
    return fail(std::string(o.split ? "--split" : "--restore") + " takes no SOURCE and DRIVE");
  }
  return o;
}

std::string UsageText() {
  return "Usage: tavrix [OPTION]... [SOURCE DRIVE]\n"
         "Split a file too large for one floppy onto a set of floppies, and rebuild\n"
         "it from them.  Without SOURCE and DRIVE the main window opens and waits for\n"
         "a command; with them, SOURCE is split onto the floppies in DRIVE at once.\n"
         "\n"
         "  SOURCE DRIVE       split the file SOURCE onto drive DRIVE (a letter such\n"
         "                     as a; \"a:\" and \"a:\\\" work as well).  Given as one\n"
         "                     argument, \"SOURCE D\", the first blank separates them.\n"
         "\n"
         "Drives:\n"
         "  --drive L=DIR[,type=TYPE][,geometry=SIZE]\n"
         "                     let drive letter L stand for the directory DIR.  TYPE is\n"
         "                     removable, fixed, cdrom, remote or ramdisk; SIZE is 360k,\n"
         "                     720k, 1.2m or 1.44m and makes DIR hold no more than a\n"
         "                     floppy of that size.  With a SIZE the drive is removable\n"
         "                     unless TYPE says otherwise; without one it is fixed.\n"
         "                     Repeat the option for more drives; it replaces the\n"
         "                     default drive of the same letter.  By default a: and b:\n"
         "                     are the first two removable devices and c: is your home\n"
         "                     directory.\n"
         "\n"
         "Front ends:\n"
         "  --console          run in the terminal, answering from standard input\n"
         "                     (the default when there is no display)\n"
         "  --split            start with the \"Split a file\" command\n"
         "  --restore          start with the \"Restore a file\" command\n"
         "  --help             show this text and exit\n"
         "  --version          show the version and exit\n"
         "\n"
         "Examples:\n"
         "  tavrix --drive a=/media/floppy,geometry=1.44m\n"
         "  tavrix ~/big.zip a --drive a=/media/floppy,geometry=1.44m\n"
         "\n"
         "Exit status: 0 when the requested command finished, 1 when it did not,\n"
         "2 for bad usage.\n";
}

std::string VersionText() {
  return "Tavrix 1.0\n";
}

DriveTable BuildDriveTable(const StartOptions& options, const DriveSources& sources) {
  DriveTable table = DefaultDriveTable(RealSysCalls(), sources);
  for (const DriveEntry& e : options.drives) table.Set(e);
  return table;
}

DriveTable BuildDriveTable(const StartOptions& options) {
  DriveSources sources;
  const char* home = std::getenv("HOME");
  sources.home = home != nullptr && *home != '\0' ? home : "/";
  return BuildDriveTable(options, sources);
}

std::string ProgramDirectory() {
  std::string buf(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
  if (n <= 0 || static_cast<size_t>(n) >= buf.size()) return ".";
  buf.resize(static_cast<size_t>(n));
  auto slash = buf.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : buf.substr(0, slash);
}

bool UseConsole(const StartOptions& options, const std::function<const char*(const char*)>& env) {
  if (options.console) return true;
  auto set = [&](const char* name) {
    const char* v = env(name);
    return v != nullptr && *v != '\0';
  };
  return !set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM");
}

namespace {

// Marks the command-line split as a running command, so that the window
// offers no second command while it runs.
class RunningMark {
 public:
  explicit RunningMark(MainForm& form) : form_(form), was_(form.w.command_running) {
    form_.w.command_running = true;
  }
  ~RunningMark() { form_.w.command_running = was_; }
  RunningMark(const RunningMark&) = delete;
  RunningMark& operator=(const RunningMark&) = delete;

 private:
  MainForm& form_;
  bool was_;
};

std::string Join(const std::vector<std::string>& args) {
  std::string out;
  for (size_t i = 0; i < args.size(); ++i) out += (i == 0 ? "" : " ") + args[i];
  return out;
}

// Puts the split back at its start: every byte of the source again, a new
// serial, floppy 1 asked for.  The floppies of the failed run then count as
// another set's, so none of them can be mixed into the new one.
void ResetSplit(MainForm& form, const std::string& source, int64_t length) {
  form.r.SourceFileNo = File();
  form.r.PieceFileNo = File();
  form.r.SourceFile = source;
  form.r.SourceSize = length;
  form.r.PieceCount = 0;
  form.r.BytesWritten = 0;
  form.r.BytesLeft = length;
  form.r.SerialNumber.clear();
  form.r.PartialPiece.clear();
  form.r.DriveInfoFresh = false;
}

// The command-line steps.  Errors go to the start-up handler (shape A);
// returns when the start-up is over.
void CommandLineSplit(MainForm& form, const std::vector<std::string>& args) {
  RunningMark running(form);
  const std::string line = form.r.CommandLine;
  std::string source;
  std::string drive;
  if (args.size() >= 2) {
    // The arguments come separated: the first is the path whole, blanks and
    // all, the second starts with the drive letter.
    source = args[0];
    drive = args[1].substr(0, 1) + ":";
  } else {
    size_t blank = line.find(' ');
    if (blank == std::string::npos) {
      form.ui.MsgBox(
          "Syntax is TAVRIX full-path:\\source_filename target_drive:\r\nYou entered {TAVRIX " +
              line + "}.",
          "Tavrix | Parse Error", kIconQuestion + kStyleOk);
      return;
    }
    source = line.substr(0, blank);
    drive = line.substr(blank + 1, 1) + ":";
  }

  bool valid = false;
  int64_t length = 0;
  ShapeA(form, [&] {
    length = form.platform.FileLen(source);
    // A directory has a length but no bytes to split.
    valid = !form.platform.IsDirectory(source);
  });
  if (!valid) {
    form.ui.MsgBox("Source file is not valid", "TAVRIX | Bad source file name or path",
                   kIconQuestion + kStyleOk);
    return;
  }
  if (length < 1) {
    form.ui.MsgBox(kEmptySourceText, kEmptySourceTitle, kIconQuestion + kStyleOk);
    return;
  }
  form.r.SourceFile = source;
  form.r.SourceSize = length;

  int type = kDriveUnknown;
  ShapeA(form, [&] { type = form.platform.DriveType(drive); });
  if (type != kDriveRemovable) {
    form.ui.MsgBox("Target device is not removable media.",
                   "Tavrix | Splits large files onto diskettes", kIconCritical + kStyleOk);
  }

  ShapeA(form, [&] {
    // Always measure: floppy 1 goes without a prompt, so its space must be
    // this drive's, even when the drive list already showed it.
    std::string before = form.Drive1.drive;
    SelectDrive1(form, drive);
    if (form.Drive1.drive == before) Drive1_Change(form);
  });
  form.r.DriveInfoFresh = true;

  form.SetText(StatusText::kLabel1, "Processing command-line " + line);
  form.DoEvents();

  for (;;) {
    try {
      Copy_btn_Click(form);
      return;
    } catch (const Error& e) {
      // A source gone before it was opened ends the split without a word.
      if (e.number() == kFileNotFound) return;
      if (e.number() != kDeviceUnavailable) ReportFatal(form, e);
      DriveNotReady(form);
      ResetSplit(form, source, length);
    }
  }
}

}  // namespace

void Form_Load(MainForm& form, const std::vector<std::string>& args) {
  form.CleanUp();
  form.w.height_twips = kRestingHeightTwips;
  form.DoEvents();
  std::string line = Join(args);
  if (line.empty()) {
    Drive1_Change(form);
    return;
  }
  form.r.CommandLine = line;
  CommandLineSplit(form, args);
}

}  // namespace tavrix
