#include "restore/main_form.h"

#include <chrono>
#include <clocale>

namespace tavrix {

const char* StatusTextName(StatusText which) {
  static const char* const kNames[kStatusTextCount] = {
      "Caption", "Label1",  "Label2",  "Label3",         "Label4",          "Label5",
      "Label6",  "Label7",  "SizeLbl", "ReadDisplayLbl", "WriteDisplayLbl", "ActionLbl"};
  return kNames[static_cast<int>(which)];
}

SerialClock SystemSerialClock() {
  SerialClock c;
  c.now = [] {
    std::time_t t = std::time(nullptr);
    std::tm out{};
    localtime_r(&t, &out);
    return out;
  };
  return c;
}

MainForm::MainForm(Platform& platform_in, Interaction& ui_in, SerialClock clock_in)
    : platform(platform_in), ui(ui_in), clock(std::move(clock_in)) {
  if (const std::lconv* lc = std::localeconv()) {
    if (lc->thousands_sep != nullptr && lc->thousands_sep[0] != '\0') thousands_sep = lc->thousands_sep[0];
    if (lc->decimal_point != nullptr && lc->decimal_point[0] != '\0') decimal_point = lc->decimal_point[0];
  }
  if (thousands_sep == decimal_point) thousands_sep = decimal_point == ',' ? '.' : ',';
}

void MainForm::SetText(StatusText which, const std::string& text) {
  std::string& slot = w.texts[static_cast<int>(which)];
  if (slot == text) return;
  slot = text;
  ui.StatusChanged(which, text);
}

void MainForm::CleanUp() {
  SetCaption("Tavrix");
  std::string keep_write_path = std::move(r.WritePath);
  std::vector<char> keep_buffer = std::move(r.CopyBuffer);  // the buffer is reused, not state
  // Handles are dropped without closing errors being reported: CleanUp never
  // runs while a copy is under way.
  r = RunRecord{};
  r.WritePath = std::move(keep_write_path);
  r.CopyBuffer = std::move(keep_buffer);
}

}  // namespace tavrix
