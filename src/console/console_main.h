// The terminal front end: the same program driven from standard input.
#pragma once

#include <string>

namespace tavrix {

struct StartOptions;

// Runs the program in the terminal with the options already parsed.
// Returns the exit status.
int RunConsole(const StartOptions& options, const std::string& program_dir);

}  // namespace tavrix
