#include "console/console_main.h"

#include <unistd.h>

#include <clocale>
#include <exception>
#include <iostream>

#include "console/console_session.h"
#include "platform/platform.h"
#include "platform/sys_calls.h"
#include "split/command_line_start.h"

namespace tavrix {

int RunConsole(const StartOptions& options, const std::string& program_dir) {
  if (!options.console) {
    std::cerr << "tavrix: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
                 "running in the terminal\n";
  }
  // The user's number separators, as the window shows them (the desktop
  // toolkit takes the locale from the environment the same way).
  std::setlocale(LC_ALL, "");
  try {
    Platform platform(RealSysCalls(), BuildDriveTable(options));
    ConsoleSetting setting;
    setting.in = &std::cin;
    setting.out = &std::cout;
    setting.terminal = ::isatty(STDOUT_FILENO) == 1;
    setting.program_dir = program_dir;
    int status = RunConsoleSession(options, platform, setting);
    std::cout.flush();
    return status;
  } catch (const std::exception& e) {
    // Only failures outside every handler of the program arrive here.
    std::cout.flush();
    std::cerr << "tavrix: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace tavrix
