// The modal interactions of the engines, answered with real Qt dialogs.
#pragma once

#include <QMessageBox>

#include <utility>
#include <vector>

#include "platform/interaction.h"

class QWidget;

namespace tavrix::ui {

class MainWindow;

// The icon of a message-box style (16 critical, 32 question, 48
// exclamation, 64 information; none otherwise).
QMessageBox::Icon IconOfStyle(int style);
// The buttons of a message-box style in the order they show, each caption
// with the answer code it gives: 0 OK, 1 OK and Cancel, 2 Abort, Retry and
// Ignore, 3 Yes, No and Cancel, 4 Yes and No, 5 Retry and Cancel.
std::vector<std::pair<QString, int>> ButtonsOfStyle(int style);
// The answer a box of `style` gives when it is closed without a button:
// Cancel where there is one, No for Yes and No, OK for OK alone.
int EscapeAnswerOfStyle(int style);

// The width a dialog needs for `title` to show whole in its title bar.
int TitleRoom(const QWidget& dialog, const QString& title);

class QtInteraction : public Interaction {
 public:
  // The window that renders the record and owns the dialogs; until it is
  // set, renders are skipped and dialogs have no parent.
  void SetMainWindow(MainWindow* window) { window_ = window; }
  MainWindow* main_window() const { return window_; }

  int MsgBox(const std::string& text, const std::string& title, int style) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& default_text) override;
  std::string OpenFileDialog() override;
  void ShowPicker(DrivePicker& picker) override;
  void ShowHelpContents(HelpOwner owner, const std::string& help_file) override;
  void ShowAbout() override;
  // Renders the record, lets pending events run, and raises ProgramExit
  // when the user asked to end the program meanwhile.
  void Yield() override;
  void StatusChanged(StatusText which, const std::string& text) override;

 protected:
  // The window a modal box belongs to: the topmost modal window, else the
  // main window.
  QWidget* DialogParent() const;
  void Render();

 private:
  MainWindow* window_ = nullptr;
};

}  // namespace tavrix::ui
