// The windows of the two drive pickers.  The picker model does the work; the
// window shows its caption, prompt and drives and passes the clicks on.
#pragma once

#include <QDialog>

#include <memory>

#include "ui/guarded_call.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tavrix {
class DrivePicker;
}

namespace tavrix::ui {

class PickerWindow : public QDialog {
  Q_OBJECT

 public:
  // Shows the model's caption, prompt and drives.  `prompt_height_twips` is
  // the prompt's height in the layout.
  PickerWindow(DrivePicker& picker, int prompt_height_twips, QWidget* parent);

  // Shows the window modally until Ok or Cancel closes it in the model, or
  // the window's close button closes it.  Raises what a handler raised.
  void Run();

  QLabel* prompt_label() const { return label1_; }
  QListWidget* list() const { return list1_; }
  QPushButton* ok_button() const { return ok_btn_; }
  QPushButton* cancel_button() const { return command1_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void List1_Click(int row);
  void Ok_btn_Click();
  void Command1_Click();
  // Closes the window once the model says so (or a handler failed).
  void CloseIfDone();

  DrivePicker& picker_;
  QLabel* label1_;
  QListWidget* list1_;
  QPushButton* command1_;
  QPushButton* ok_btn_;
  GuardedCall guard_;
  // A mouse button is down on the list.
  bool in_press_ = false;
  // The current row changed under that press: the click that follows is the
  // same click and must not run the handler twice.
  bool change_from_press_ = false;
};

// RestoreFrm: the floppy picker, with the single 3.5-inch floppy as its icon.
class FloppyPickerWindow : public PickerWindow {
  Q_OBJECT

 public:
  FloppyPickerWindow(DrivePicker& picker, QWidget* parent);
};

// TargetFrm: the target picker, with the hard-disk drive as its icon and
// room for a prompt of two lines.
class TargetPickerWindow : public PickerWindow {
  Q_OBJECT

 public:
  TargetPickerWindow(DrivePicker& picker, QWidget* parent);
};

// The window that shows `picker`, by its kind.
std::unique_ptr<PickerWindow> MakePickerWindow(DrivePicker& picker, QWidget* parent);

}  // namespace tavrix::ui
