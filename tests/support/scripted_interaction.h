// Scripted answers for the modal interactions, and a transcript of every
// call, so that tests can drive whole runs and check the exact texts shown.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/interaction.h"
#include "restore/window_state.h"

namespace tavrix::testing {

// One recorded call.
struct Call {
  std::string kind;   // "msgbox", "input", "file", "picker", "click", "ok", "cancel", "close",
                      // "help", "about"
  std::string text;   // message text, input prompt, picker prompt, clicked drive
  std::string title;  // title or picker caption
  int style = 0;
  std::string answer;  // the answer given, as text ("1", "Yes"... see below)
};

// Thrown when the script has no answer for a call; the test fails.
struct ScriptExhausted {
  std::string what;
};

class ScriptedInteraction : public Interaction {
 public:
  // Queue one answer.  `before` runs just before the answer is given: that is
  // where a test swaps floppies ("Insert floppy" answered with OK after the
  // next floppy went into the drive).
  ScriptedInteraction& Msg(int answer, std::function<void()> before = {});
  // `before` runs just before the answer (a floppy swapped while the box is open).
  ScriptedInteraction& Input(std::optional<std::string> answer, std::function<void()> before = {});
  ScriptedInteraction& File(std::string path);
  // Picker actions, consumed by the picker shown next (message boxes that a
  // click raises take their answers from the queue in between).
  ScriptedInteraction& Click(std::string drive, std::function<void()> before = {});
  ScriptedInteraction& Ok();
  ScriptedInteraction& Cancel();
  ScriptedInteraction& Close();  // the window's close button

  // Calls that were made, in order.
  const std::vector<Call>& transcript() const { return transcript_; }
  // Message boxes only.
  std::vector<Call> messages() const;
  // Every status change, as "Name: text".
  const std::vector<std::string>& status_log() const { return status_log_; }
  // True when every queued answer was used.
  bool done() const { return queue_.empty(); }
  size_t pending() const { return queue_.size(); }
  int yields() const { return yields_; }
  // Runs at every Yield (a test may pull a floppy in the middle of a copy).
  std::function<void()> on_yield;

  int MsgBox(const std::string& text, const std::string& title, int style) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& default_text) override;
  std::string OpenFileDialog() override;
  void ShowPicker(DrivePicker& picker) override;
  void ShowHelpContents(HelpOwner owner, const std::string& help_file) override;
  void ShowAbout() override;
  void Yield() override;
  void StatusChanged(StatusText which, const std::string& text) override;

 private:
  struct Step {
    std::string kind;  // "msgbox", "input", "file", "click", "ok", "cancel", "close"
    int answer = 0;
    std::optional<std::string> text;
    std::function<void()> before;
  };
  Step Next(const std::string& kind, const std::string& context);

  std::deque<Step> queue_;
  std::vector<Call> transcript_;
  std::vector<std::string> status_log_;
  int yields_ = 0;
};

}  // namespace tavrix::testing
