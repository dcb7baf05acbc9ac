// Start-up: the program's own options, the drive table, then Form_Load with
// the command line.  Both front ends start through these.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/default_drives.h"
#include "platform/drive_table.h"

namespace tavrix {

class MainForm;

struct StartOptions {
  std::vector<DriveEntry> drives;  // --drive, in the order given
  bool console = false;            // --console
  bool split = false;              // --split
  bool restore = false;            // --restore
  bool help = false;               // --help
  bool version = false;            // --version
  std::vector<std::string> args;   // what remains: the command line
};

// Takes our own options out of the arguments (argv[0] excluded); they may
// stand anywhere, and "--" ends them.  nullopt and a message in *error
// ("tavrix: ...") for bad usage.
std::optional<StartOptions> ParseStartOptions(const std::vector<std::string>& argv,
                                              std::string* error);
// The usage text of --help, covering every option.
std::string UsageText();
// The line --version prints.
std::string VersionText();

// The drive table of a start: the machine's default drives read from
// `sources`, then each --drive entry, a later one replacing an earlier one.
DriveTable BuildDriveTable(const StartOptions& options, const DriveSources& sources);
// As above, with the machine's own sources (c: is $HOME).
DriveTable BuildDriveTable(const StartOptions& options);
// Directory of the running executable; "." when the system cannot say.
std::string ProgramDirectory();
// True when the terminal front end serves this start: --console, or no
// display to open windows on (neither DISPLAY nor WAYLAND_DISPLAY set, and no
// QT_QPA_PLATFORM chosen).  `env` reads an environment variable (nullptr
// when unset).
bool UseConsole(const StartOptions& options, const std::function<const char*(const char*)>& env);

// The start-up handler: CleanUp, the resting height, then either the drive
// information of the drive Drive1 shows, or the command-line split of
// `args` (the arguments left after our options).  Handles its own errors
// (the start-up handler); ends the program (ProgramExit) where a report says so.
void Form_Load(MainForm& form, const std::vector<std::string>& args);

}  // namespace tavrix
