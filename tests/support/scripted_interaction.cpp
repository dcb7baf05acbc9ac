#include "support/scripted_interaction.h"

#include <gtest/gtest.h>

#include "drives/drive_picker.h"

namespace tavrix::testing {

ScriptedInteraction& ScriptedInteraction::Msg(int answer, std::function<void()> before) {
  queue_.push_back({"msgbox", answer, std::nullopt, std::move(before)});
  return *this;
}
ScriptedInteraction& ScriptedInteraction::Input(std::optional<std::string> answer,
                                                std::function<void()> before) {
  queue_.push_back({"input", 0, std::move(answer), std::move(before)});
  return *this;
}
ScriptedInteraction& ScriptedInteraction::File(std::string path) {
  queue_.push_back({"file", 0, std::move(path), {}});
  return *this;
}
ScriptedInteraction& ScriptedInteraction::Click(std::string drive, std::function<void()> before) {
  queue_.push_back({"click", 0, std::move(drive), std::move(before)});
  return *this;
}
ScriptedInteraction& ScriptedInteraction::Ok() {
  queue_.push_back({"ok", 0, std::nullopt, {}});
  return *this;
}
ScriptedInteraction& ScriptedInteraction::Cancel() {
  queue_.push_back({"cancel", 0, std::nullopt, {}});
  return *this;
}
ScriptedInteraction& ScriptedInteraction::Close() {
  queue_.push_back({"close", 0, std::nullopt, {}});
  return *this;
}

std::vector<Call> ScriptedInteraction::messages() const {
  std::vector<Call> out;
  for (const auto& c : transcript_) {
    if (c.kind == "msgbox") out.push_back(c);
  }
  return out;
}

ScriptedInteraction::Step ScriptedInteraction::Next(const std::string& kind,
                                                    const std::string& context) {
  auto fail = [&](const std::string& why) {
    std::string what = why + " at " + kind + " \"" + context + "\"";
    ADD_FAILURE() << what;
    throw ScriptExhausted{what};
  };
  if (queue_.empty()) fail("script ran dry");
  Step step = std::move(queue_.front());
  queue_.pop_front();
  bool picker_step = step.kind == "click" || step.kind == "ok" || step.kind == "cancel" ||
                     step.kind == "close";
  if (kind == "picker" ? !picker_step : step.kind != kind) {
    fail("script expected " + step.kind);
  }
  if (step.before) step.before();
  return step;
}

int ScriptedInteraction::MsgBox(const std::string& text, const std::string& title, int style) {
  transcript_.push_back({"msgbox", text, title, style, ""});
  Step step = Next("msgbox", text);
  transcript_.back().answer = std::to_string(step.answer);
  return step.answer;
}

std::optional<std::string> ScriptedInteraction::InputBox(const std::string& prompt,
                                                         const std::string& title,
                                                         const std::string& default_text) {
  transcript_.push_back({"input", prompt, title, 0, default_text});
  Step step = Next("input", prompt);
  return step.text;
}

std::string ScriptedInteraction::OpenFileDialog() {
  transcript_.push_back({"file", "", "", 0, ""});
  Step step = Next("file", "");
  transcript_.back().answer = step.text.value_or("");
  return step.text.value_or("");
}

void ScriptedInteraction::ShowPicker(DrivePicker& picker) {
  std::string entries;
  for (const auto& e : picker.entries()) entries += (entries.empty() ? "" : " ") + e;
  transcript_.push_back({"picker", picker.prompt(), picker.caption(), 0, entries});
  while (!picker.closed()) {
    Step step = Next("picker", picker.caption());
    transcript_.push_back({step.kind, step.text.value_or(""), picker.caption(), 0, ""});
    if (step.kind == "close") return;
    if (step.kind == "ok") {
      picker.Ok_btn_Click();
    } else if (step.kind == "cancel") {
      picker.Command1_Click();
    } else {
      const auto& list = picker.entries();
      int index = -1;
      for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == *step.text) index = static_cast<int>(i);
      }
      if (index < 0) {
        ADD_FAILURE() << "drive " << *step.text << " is not offered by " << picker.caption();
        throw ScriptExhausted{"drive not offered"};
      }
      picker.List1_Click(index);
    }
  }
}

void ScriptedInteraction::ShowHelpContents(HelpOwner owner, const std::string& help_file) {
  transcript_.push_back(
      {"help", help_file, owner == HelpOwner::kAboutBox ? "About" : "Main", 0, ""});
}

void ScriptedInteraction::ShowAbout() { transcript_.push_back({"about", "", "", 0, ""}); }

void ScriptedInteraction::Yield() {
  ++yields_;
  if (on_yield) on_yield();
}

void ScriptedInteraction::StatusChanged(StatusText which, const std::string& text) {
  status_log_.push_back(std::string(StatusTextName(which)) + ": " + text);
}

}  // namespace tavrix::testing
