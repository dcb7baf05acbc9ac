// The main window as the engines see it: the run record, the visible state,
// the hidden drive and file lists, and the services the handlers use.
//
// Every handler of the program works on one MainForm; nothing else holds
// state between handlers.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/interaction.h"
#include "platform/platform.h"
#include "restore/run_record.h"
#include "restore/window_state.h"

namespace tavrix {

// The clock and random source of serial numbers; tests replace both.
struct SerialClock {
  std::function<std::tm()> now;       // local date and time
  std::function<double()> random;     // uniform in [0, 1); unset: a generator seeded from `now`
};
SerialClock SystemSerialClock();

// How the last command ended, for the exit status of the terminal front end.
struct Outcome {
  bool split_done = false;         // a split wrote its control record
  bool restore_completed = false;  // a restore completed
  bool restore_size_matched = false;
};

// The hidden drive list: the drive a run works on.
struct DriveList {
  std::string drive;  // designation shown, such as "c:"
};

// The hidden file list: the file names of one directory.
struct FileList {
  std::string path;                // such as "a:\"
  std::vector<std::string> names;  // plain files, hidden ones left out, name order
};

class MainForm {
 public:
  MainForm(Platform& platform, Interaction& ui, SerialClock clock = SystemSerialClock());

  Platform& platform;
  Interaction& ui;
  SerialClock clock;

  RunRecord r;
  WindowState w;
  DriveList Drive1;
  FileList File1;
  Outcome outcome;
  // Directory of the executable, where the help file lies.
  std::string program_dir;
  // Number separators of the user's locale.
  char thousands_sep = ',';
  char decimal_point = '.';

  // Sets a status text and tells the front end when it changed value.
  void SetText(StatusText which, const std::string& text);
  const std::string& Text(StatusText which) const { return w.text(which); }
  void SetCaption(const std::string& caption) { SetText(StatusText::kCaption, caption); }

  // Resets every field of the record and sets the caption to "Tavrix".
  // Closes no file on purpose beyond dropping handles, deletes nothing, and
  // leaves WritePath and every window text but the caption alone.
  void CleanUp();

  // Lets pending window events run.
  void DoEvents() { ui.Yield(); }
};

}  // namespace tavrix
