// Start-up: the program's own options, then Form_Load with the command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

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

// Takes our own options out of the arguments (argv[0] excluded).  nullopt
// and a message in *error for bad usage.
std::optional<StartOptions> ParseStartOptions(const std::vector<std::string>& argv,
                                              std::string* error);
// The usage text of --help, covering every option.
std::string UsageText();

// The start-up handler: CleanUp, the resting height, then either the drive
// information of the drive Drive1 shows, or the command-line split of
// `args` (the arguments left after our options).  Handles its own errors
// (the start-up handler); ends the program (ProgramExit) where a report says so.
void Form_Load(MainForm& form, const std::vector<std::string>& args);

}  // namespace tavrix
