// The terminal front end: the same program driven from standard input.
#pragma once

#include <string>

namespace tavrix {

struct StartOptions;

// Runs the program in the terminal with the options already parsed, on
// standard input and output.  Without --console (the fall-back for a
// machine without a display) it first prints a one-line notice on standard
// error.  Returns the exit status: 0 when the command asked for succeeded,
// 1 otherwise.
int RunConsole(const StartOptions& options, const std::string& program_dir);

}  // namespace tavrix
