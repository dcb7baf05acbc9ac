// The desktop front end: the main window on this machine's drives.
#pragma once

namespace tavrix {
struct StartOptions;
}

namespace tavrix::ui {

// Opens the main window, runs the start-up (and the command-line split or
// the command asked for by --split or --restore), then the window's event
// loop.  Returns the exit status.  `argv0` is the program's own name.
int RunDesktop(const StartOptions& options, char* argv0);

}  // namespace tavrix::ui
