#include "console/console_main.h"

#include <cstdio>

namespace tavrix {

int RunConsole(const StartOptions&, const std::string&) {
  std::fputs("tavrix: the terminal front end is not built yet\n", stderr);
  return 1;
}

}  // namespace tavrix
