// The two drive pickers as models: the floppy picker RestoreFrm and the
// target picker TargetFrm.  Front ends show them; their handlers do the
// work and leave the answer in the main window's record.
#pragma once

#include <string>
#include <vector>

namespace tavrix {

class MainForm;

class DrivePicker {
 public:
  enum class Kind { kFloppy, kTarget };

  explicit DrivePicker(MainForm& form) : form_(form) {}
  virtual ~DrivePicker() = default;

  virtual Kind kind() const = 0;
  const std::string& caption() const { return caption_; }
  const std::string& prompt() const { return prompt_; }
  // The offered drives ("a:"), one per entry.
  const std::vector<std::string>& entries() const { return entries_; }
  // Index of the selected entry, -1 for none.
  int selected() const { return selected_; }
  // True once Ok or Cancel has closed the dialog.
  bool closed() const { return closed_; }

  // Opening: caption and prompt by DialogMode, the drives offered by type.
  virtual void Form_Load() = 0;
  // A drive was clicked in the list.
  virtual void List1_Click(int index) = 0;
  virtual void Ok_btn_Click() = 0;
  virtual void Command1_Click() = 0;

 protected:
  MainForm& form_;
  std::string caption_;
  std::string prompt_;
  std::vector<std::string> entries_;
  int selected_ = -1;
  bool closed_ = false;
};

class RestoreFrm : public DrivePicker {
 public:
  using DrivePicker::DrivePicker;
  Kind kind() const override { return Kind::kFloppy; }
  void Form_Load() override;
  void List1_Click(int index) override;
  void Ok_btn_Click() override;
  void Command1_Click() override;
};

class TargetFrm : public DrivePicker {
 public:
  using DrivePicker::DrivePicker;
  Kind kind() const override { return Kind::kTarget; }
  void Form_Load() override;
  void List1_Click(int index) override;
  void Ok_btn_Click() override;
  void Command1_Click() override;
};

// Loads RestoreFrm and shows it modally; the answer is form.r.FloppyDrive.
void ShowRestoreFrm(MainForm& form);
// Asks for the restore target with TargetFrm.  Returns the new target
// ("c:"), or "" after ClearDisplay and CleanUp when none was given or the
// previous target was picked again.  Selects the target in Drive1.
std::string ChooseRestoreTarget(MainForm& form);

}  // namespace tavrix
