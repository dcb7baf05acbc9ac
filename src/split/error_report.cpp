#include "split/error_report.h"

#include "format/number_text.h"
#include "restore/main_form.h"

namespace tavrix {

void ReportFatal(MainForm& form, const Error& e) {
  form.ui.MsgBox("Error " + Str(e.number()), "Error", kIconCritical + kStyleOk);
  throw ProgramExit{1};
}

void DriveNotReady(MainForm& form) {
  int answer = form.ui.MsgBox("Drive is not ready", "Error", kIconCritical + kStyleRetryCancel);
  if (answer != kAnswerRetry) throw ProgramExit{1};
}

void ReportUnhandled(MainForm& form, const Error& e) {
  form.ui.MsgBox("Error " + Str(e.number()) + " = " + e.text(), "Tavrix", kIconCritical + kStyleOk);
  throw ProgramExit{1};
}

bool ProbeFile(MainForm& form, const std::string& path, bool answer_on_error) {
  try {
    File probe = form.platform.Open(path, OpenMode::kRead);
    probe.Close();
    return true;
  } catch (const Error& e) {
    if (e.number() == kFileNotFound) return false;
    form.ui.MsgBox("Error " + Str(e.number()) + " :" + e.text(), "error", kIconCritical + kStyleOk);
    return answer_on_error;
  }
}

bool FileExists(MainForm& form, const std::string& path) { return ProbeFile(form, path, true); }

}  // namespace tavrix
