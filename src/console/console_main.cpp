#include "console/console_main.h"

#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <iostream>

#include "console/console_session.h"
#include "platform/default_drives.h"
#include "platform/platform.h"
#include "platform/sys_calls.h"
#include "split/command_line_start.h"

namespace tavrix {

namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

}  // namespace

bool NoDisplay() { return !Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM"); }

int RunConsole(const StartOptions& options, const std::string& program_dir) {
  if (!options.console) {
    std::cerr << "tavrix: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
                 "using the terminal\n";
  }
  int commands = (options.args.empty() ? 0 : 1) + (options.split ? 1 : 0) + (options.restore ? 1 : 0);
  if (commands > 1) {
    std::cerr << "tavrix: give only one of SOURCE DRIVE, --split and --restore\n" << UsageText();
    return 2;
  }
  try {
    DriveSources sources;
    const char* home = std::getenv("HOME");
    sources.home = home != nullptr && home[0] != '\0' ? home : "/";
    DriveTable drives = DefaultDriveTable(RealSysCalls(), sources);
    for (const DriveEntry& d : options.drives) drives.Set(d);
    Platform platform(RealSysCalls(), std::move(drives));
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
