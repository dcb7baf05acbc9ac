// A test machine with the real main window on top: the Bench's drives and
// floppies, the record, and the window rendering it.
#pragma once

#include <memory>
#include <string>

#include "restore/main_form.h"
#include "support/bench.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

namespace tavrix::ui::testing {

// The QApplication of a test program (offscreen), made once.
void EnsureQApplication();

// The real interactions (rendering, yields, Exit, About, help), with the
// message boxes, input box, file dialog and pickers answered from a script.
class ScriptedQtInteraction : public QtInteraction {
 public:
  explicit ScriptedQtInteraction(tavrix::testing::ScriptedInteraction& script) : script_(script) {}

  int MsgBox(const std::string& text, const std::string& title, int style) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& default_text) override;
  std::string OpenFileDialog() override;
  void ShowPicker(DrivePicker& picker) override;
  void Yield() override;
  void StatusChanged(StatusText which, const std::string& text) override;

 private:
  tavrix::testing::ScriptedInteraction& script_;
};

class WindowBench {
 public:
  enum class Dialogs { kScripted, kReal };
  explicit WindowBench(Dialogs dialogs = Dialogs::kScripted);
  ~WindowBench();

  tavrix::testing::Bench bench;
  tavrix::testing::ScriptedInteraction& script() { return bench.ui; }
  MainForm& form() { return *bench.form; }
  MainWindow& window() { return *window_; }

 private:
  std::unique_ptr<QtInteraction> ui_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tavrix::ui::testing
