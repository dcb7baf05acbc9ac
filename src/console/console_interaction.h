// The modal interactions as prompts on a text stream.
//
// Every dialog prints a block ending in the prompt "> " and reads one answer
// line, so that a script can drive every run through a pipe.  Standard
// output is flushed before each answer is read.  At end of input each
// dialog takes its safest answer (Cancel, No, or OK for a box that has
// only OK; cancelled for the input box, the file-open dialog and pickers).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/interaction.h"
#include "restore/window_state.h"

namespace tavrix {

class ConsoleInteraction : public Interaction {
 public:
  // `terminal`: the output is a terminal, so copies draw a progress bar.
  ConsoleInteraction(std::istream& in, std::ostream& out, bool terminal);
  // Ends a progress bar left open and flushes the output.
  ~ConsoleInteraction() override;
  ConsoleInteraction(const ConsoleInteraction&) = delete;
  ConsoleInteraction& operator=(const ConsoleInteraction&) = delete;

  // The window state whose activity label is watched: a change of the
  // activity text prints only while the label is shown.
  void Watch(const WindowState* window) { window_ = window; }

  int MsgBox(const std::string& text, const std::string& title, int style) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& default_text) override;
  std::string OpenFileDialog() override;
  void ShowPicker(DrivePicker& picker) override;
  void ShowHelpContents(HelpOwner owner, const std::string& help_file) override;
  void ShowAbout() override;
  void Yield() override {}
  void StatusChanged(StatusText which, const std::string& text) override;
  void CopyProgress(int64_t done, int64_t total) override;

  // Flushes the output and reads one answer line, without its line end.
  // nullopt at end of input.  Ends the program (ProgramExit 1) when input
  // ended long ago and the dialogs keep asking, so that a closed pipe can
  // never loop forever.
  std::optional<std::string> ReadAnswer();
  // Prints one line (after ending a progress bar in the middle).
  void PrintLine(const std::string& line);
  // Prints text as it stands (the prompt "> ").
  void Print(const std::string& text);

 private:
  void EndBar();

  std::istream& in_;
  std::ostream& out_;
  bool terminal_;
  const WindowState* window_ = nullptr;
  bool bar_open_ = false;  // a progress bar is drawn and its line not ended
  int bar_cells_ = -1;     // cells drawn in the open bar
  int answers_after_eof_ = 0;
};

// The buttons of a message-box style, in the order OK, Yes, No, Retry, Cancel.
std::vector<Answer> ButtonsOf(int style);
// "OK", "Cancel", "Retry", "Yes", "No".
const char* ButtonName(Answer answer);
// The lines of a message text: each CR LF starts a new line; a CR LF at the
// very end adds none.
std::vector<std::string> MessageLines(const std::string& text);
// `text` without blanks (spaces, tabs, CR, LF) at either end.
std::string TrimBlanks(const std::string& text);
// Case-insensitive equality for ASCII answers.
bool SameAnswer(const std::string& a, const std::string& b);

}  // namespace tavrix
