// The handler shapes of the program's error reports.
#pragma once

#include <string>
#include <utility>

#include "platform/error.h"

namespace tavrix {

class MainForm;

// Shows "Error " + the number with a leading blank (title "Error", style 16)
// and ends the program.
[[noreturn]] void ReportFatal(MainForm& form, const Error& e);
// Shows "Drive is not ready" (title "Error", style 21).  Returns on Retry;
// Cancel ends the program.
void DriveNotReady(MainForm& form);
// The report for an error that reaches no handler: number and text, then
// the program ends.
[[noreturn]] void ReportUnhandled(MainForm& form, const Error& e);

// Shape A: runs `step`.  53 skips it (returns false), 68 offers Retry and
// Cancel and runs it again on Retry, any other number is reported and ends
// the program.  Returns true when the step ran to its end.
template <typename Step>
bool ShapeA(MainForm& form, Step&& step) {
  for (;;) {
    try {
      std::forward<Step>(step)();
      return true;
    } catch (const Error& e) {
      if (e.number() == kFileNotFound) return false;
      if (e.number() != kDeviceUnavailable) ReportFatal(form, e);
      DriveNotReady(form);
    }
  }
}

// Shape B: true when `path` can be opened for reading; false when it is not
// found; any other error shows "Error  N :text" (title "error", style 16)
// and answers true.
bool FileExists(MainForm& form, const std::string& path);
// The probe behind FileExists and SerialFileExists: true when `path` opens
// for reading, false when it is not found; any other error is reported as
// above and answers `answer_on_error`.
bool ProbeFile(MainForm& form, const std::string& path, bool answer_on_error);

// Runs a menu command's handler: marks the command running, and reports an
// error that reaches no handler before ending the program.
template <typename Handler>
void RunCommand(MainForm& form, Handler&& handler);

}  // namespace tavrix

#include "split/error_report_inl.h"
