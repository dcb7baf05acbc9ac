// The modal interactions through which the engines meet the user.
//
// The engines never draw anything: they ask this interface.  The desktop
// front end answers with real dialogs, the terminal front end with prompts
// on standard input, and the tests with scripted answers while recording
// every call.  All calls are modal: they return when the user has answered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavrix {

class DrivePicker;
enum class StatusText;

// Message-box answers.
enum Answer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerRetry = 4, kAnswerYes = 6, kAnswerNo = 7 };

// Message-box styles: an icon plus a button set.
enum Style : int {
  kStyleOk = 0,
  kStyleOkCancel = 1,
  kStyleYesNoCancel = 3,
  kStyleYesNo = 4,
  kStyleRetryCancel = 5,
  kIconCritical = 16,
  kIconQuestion = 32,
  kIconExclamation = 48,
  kIconInformation = 64,
};

// Which window owns a help viewer.
enum class HelpOwner { kMainWindow, kAboutBox };

class Interaction {
 public:
  virtual ~Interaction() = default;

  // A message box: text (lines separated by CR LF), title, numeric style.
  // Returns the answer code of the button pressed.
  virtual int MsgBox(const std::string& text, const std::string& title, int style) = 0;
  // An input box with a default text.  nullopt when cancelled; "" when the
  // user emptied the box.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& default_text) = 0;
  // The file-open dialog: the full path of the chosen file, "" when cancelled.
  virtual std::string OpenFileDialog() = 0;
  // Shows a drive picker modally until Ok, Cancel or the window's close
  // button ends it; the picker's handlers do the work.
  virtual void ShowPicker(DrivePicker& picker) = 0;
  // Shows the help file at its contents, in a viewer owned by `owner`.
  virtual void ShowHelpContents(HelpOwner owner, const std::string& help_file) = 0;
  // Shows the About box modally.
  virtual void ShowAbout() = 0;
  // Lets pending window events run (repaints).  May throw ProgramExit when
  // the user asked to end the program meanwhile.
  virtual void Yield() = 0;

  // A status text of the main window changed value.
  virtual void StatusChanged(StatusText /*which*/, const std::string& /*text*/) {}
  // Progress of a copy: bytes done of total.  Front ends may draw a bar.
  virtual void CopyProgress(int64_t /*done*/, int64_t /*total*/) {}
};

}  // namespace tavrix
