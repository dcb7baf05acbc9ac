// Template bodies of error_report.h.
#pragma once

#include "restore/main_form.h"

namespace tavrix {

template <typename Handler>
void RunCommand(MainForm& form, Handler&& handler) {
  struct Running {
    MainForm& form;
    bool was;
    explicit Running(MainForm& f) : form(f), was(f.w.command_running) { form.w.command_running = true; }
    ~Running() { form.w.command_running = was; }
  } running(form);
  try {
    std::forward<Handler>(handler)();
  } catch (const Error& e) {
    ReportUnhandled(form, e);
  }
}

}  // namespace tavrix
