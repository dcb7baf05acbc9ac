// tavrix: splits a file onto floppies and rebuilds it from them.  Takes the
// program's own options, then starts the desktop or the terminal front end.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/console_main.h"
#include "split/command_line_start.h"
#include "ui/desktop_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  std::optional<tavrix::StartOptions> options = tavrix::ParseStartOptions(args, &error);
  if (!options) {
    // Bad usage: the reason, then the whole usage text, both on standard error.
    std::fprintf(stderr, "%s\n\n%s", error.c_str(), tavrix::UsageText().c_str());
    return 2;
  }
  if (options->help) {
    std::fputs(tavrix::UsageText().c_str(), stdout);
    return 0;
  }
  if (options->version) {
    std::fputs(tavrix::VersionText().c_str(), stdout);
    return 0;
  }
  if (tavrix::UseConsole(*options, [](const char* name) { return std::getenv(name); })) {
    return tavrix::RunConsole(*options, tavrix::ProgramDirectory());
  }
  return tavrix::ui::RunDesktop(*options, argv[0]);
}
