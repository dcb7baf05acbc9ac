#include "window_bench.h"

#include <QApplication>

#include "drives/drive_picker.h"

namespace tavrix::ui::testing {

void EnsureQApplication() {
  if (QApplication::instance() != nullptr) return;
  // The windows are never shown on a real display.  (ctest's environment
  // for discovered tests keeps only its first variable.)
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tavrix-test";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

int ScriptedQtInteraction::MsgBox(const std::string& text, const std::string& title, int style) {
  Render();
  return script_.MsgBox(text, title, style);
}

std::optional<std::string> ScriptedQtInteraction::InputBox(const std::string& prompt,
                                                           const std::string& title,
                                                           const std::string& default_text) {
  Render();
  return script_.InputBox(prompt, title, default_text);
}

std::string ScriptedQtInteraction::OpenFileDialog() {
  Render();
  return script_.OpenFileDialog();
}

void ScriptedQtInteraction::ShowPicker(DrivePicker& picker) {
  Render();
  script_.ShowPicker(picker);
}

void ScriptedQtInteraction::Yield() {
  script_.Yield();
  QtInteraction::Yield();
}

void ScriptedQtInteraction::StatusChanged(StatusText which, const std::string& text) {
  script_.StatusChanged(which, text);
  QtInteraction::StatusChanged(which, text);
}

WindowBench::WindowBench(Dialogs dialogs) {
  EnsureQApplication();
  if (dialogs == Dialogs::kReal) {
    ui_ = std::make_unique<QtInteraction>();
  } else {
    ui_ = std::make_unique<ScriptedQtInteraction>(bench.ui);
  }
  bench.form = std::make_unique<MainForm>(*bench.platform, *ui_, tavrix::testing::FixedClock());
  bench.form->thousands_sep = ',';
  bench.form->decimal_point = '.';
  bench.form->CleanUp();
  bench.form->Drive1.drive = "c:";
  bench.form->program_dir = TAVRIX_PROGRAM_DIR;
  window_ = std::make_unique<MainWindow>(*bench.form);
  ui_->SetMainWindow(window_.get());
  window_->show();
}

WindowBench::~WindowBench() {
  window_.reset();
  bench.form.reset();
}

}  // namespace tavrix::ui::testing
