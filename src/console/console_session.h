// One run of the program on the terminal: start-up, the command asked for
// on the command line, the menu, and the exit status.
#pragma once

#include <iosfwd>
#include <string>

#include "restore/main_form.h"

namespace tavrix {

class Platform;
struct StartOptions;

struct ConsoleSetting {
  std::istream* in = nullptr;
  std::ostream* out = nullptr;
  bool terminal = false;    // `out` is a terminal: draw progress bars
  std::string program_dir;  // where the help file lies
  SerialClock clock = SystemSerialClock();
};

// Runs the start-up (Form_Load), then the command-line split, --split,
// --restore or the menu, on `platform`.  Returns the exit status: 0 when
// the command asked for succeeded (a split wrote its control record, a
// restore completed with the recorded size; the bare menu at Exit with no
// restore left unfinished), 1 otherwise.
int RunConsoleSession(const StartOptions& options, Platform& platform,
                      const ConsoleSetting& setting);

}  // namespace tavrix
