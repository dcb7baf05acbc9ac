#include "console/console_interaction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

#include "console/help_text.h"
#include "drives/drive_picker.h"
#include "platform/error.h"

namespace tavrix {

namespace {

// Dialogs answered after input ended before the run is given up: far more
// than any run asks once its input is gone, few enough to end a loop fast.
constexpr int kMaxAnswersAfterEof = 200;
constexpr int kBarCells = 40;

// True when `path` names a regular file this process can open for reading.
bool ReadableFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular;
}

// The full path of `typed`, taken from the working directory when relative.
std::string AbsolutePath(const std::string& typed) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(typed, ec);
  if (ec) return typed;
  return p.lexically_normal().string();
}

}  // namespace

std::vector<Answer> ButtonsOf(int style) {
  switch (style & 0xF) {
    case kStyleOkCancel:
      return {kAnswerOk, kAnswerCancel};
    case kStyleYesNoCancel:
      return {kAnswerYes, kAnswerNo, kAnswerCancel};
    case kStyleYesNo:
      return {kAnswerYes, kAnswerNo};
    case kStyleRetryCancel:
      return {kAnswerRetry, kAnswerCancel};
    default:
      return {kAnswerOk};
  }
}

const char* ButtonName(Answer answer) {
  switch (answer) {
    case kAnswerOk:
      return "OK";
    case kAnswerCancel:
      return "Cancel";
    case kAnswerRetry:
      return "Retry";
    case kAnswerYes:
      return "Yes";
    case kAnswerNo:
      return "No";
  }
  return "OK";
}

std::vector<std::string> MessageLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t crlf = text.find("\r\n", start);
    if (crlf == std::string::npos) break;
    lines.push_back(text.substr(start, crlf - start));
    start = crlf + 2;
  }
  if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
  return lines;
}

std::string TrimBlanks(const std::string& text) {
  const char* blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool SameAnswer(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

ConsoleInteraction::ConsoleInteraction(std::istream& in, std::ostream& out, bool terminal)
    : in_(in), out_(out), terminal_(terminal) {}

ConsoleInteraction::~ConsoleInteraction() {
  EndBar();
  out_.flush();
}

std::optional<std::string> ConsoleInteraction::ReadAnswer() {
  EndBar();
  out_.flush();
  std::string line;
  if (answers_after_eof_ == 0 && std::getline(in_, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
  // The prompt stays on its own line in a log of the run.
  out_ << '\n';
  out_.flush();
  if (++answers_after_eof_ > kMaxAnswersAfterEof) {
    out_ << "Input ended; giving up.\n";
    out_.flush();
    throw ProgramExit{1};
  }
  return std::nullopt;
}

void ConsoleInteraction::PrintLine(const std::string& line) {
  EndBar();
  // Flushed at once, so that a reader of a pipe follows the run live.
  out_ << line << '\n';
  out_.flush();
}

void ConsoleInteraction::Print(const std::string& text) {
  EndBar();
  out_ << text;
}

void ConsoleInteraction::EndBar() {
  if (!bar_open_) return;
  out_ << '\n';
  bar_open_ = false;
  bar_cells_ = -1;
}

int ConsoleInteraction::MsgBox(const std::string& text, const std::string& title, int style) {
  std::vector<Answer> buttons = ButtonsOf(style);
  std::string button_line;
  for (Answer b : buttons) {
    button_line += (button_line.empty() ? "[" : " [") + std::string(ButtonName(b)) + "]";
  }
  PrintLine("== " + title + " ==");
  for (const auto& line : MessageLines(text)) PrintLine(line);
  PrintLine(button_line);
  for (;;) {
    Print("> ");
    std::optional<std::string> line = ReadAnswer();
    if (!line) {
      for (Answer safe : {kAnswerCancel, kAnswerNo}) {
        for (Answer b : buttons) {
          if (b == safe) return safe;
        }
      }
      return kAnswerOk;
    }
    std::string answer = TrimBlanks(*line);
    for (Answer b : buttons) {
      if (SameAnswer(answer, ButtonName(b))) return b;
    }
    PrintLine(button_line);
  }
}

std::optional<std::string> ConsoleInteraction::InputBox(const std::string& prompt,
                                                        const std::string& title,
                                                        const std::string& default_text) {
  PrintLine("== " + title + " ==");
  for (const auto& line : MessageLines(prompt)) PrintLine(line);
  PrintLine("[default: " + default_text + "]");
  Print("> ");
  std::optional<std::string> line = ReadAnswer();
  if (!line) return std::nullopt;
  std::string trimmed = TrimBlanks(*line);
  if (trimmed.empty()) return default_text;
  if (trimmed == "-") return std::string();
  return *line;
}

std::string ConsoleInteraction::OpenFileDialog() {
  PrintLine("== Open ==");
  PrintLine("File to split:");
  for (;;) {
    Print("> ");
    std::optional<std::string> line = ReadAnswer();
    if (!line) return "";
    std::string typed = TrimBlanks(*line);
    if (typed.empty()) return "";
    std::string path = AbsolutePath(typed);
    if (ReadableFile(path)) return path;
    PrintLine("No such file: " + path);
  }
}

void ConsoleInteraction::ShowPicker(DrivePicker& picker) {
  const std::string buttons = "[Ok] [Cancel]";
  auto show_block = [&] {
    PrintLine("== " + picker.caption() + " ==");
    for (const auto& line : MessageLines(picker.prompt())) PrintLine(line);
    for (const auto& entry : picker.entries()) PrintLine("  " + entry);
    PrintLine(buttons);
  };
  show_block();
  while (!picker.closed()) {
    Print("> ");
    std::optional<std::string> line = ReadAnswer();
    if (!line) {
      picker.Command1_Click();
      return;
    }
    std::string answer = TrimBlanks(*line);
    if (SameAnswer(answer, "close")) return;
    if (SameAnswer(answer, "ok")) {
      picker.Ok_btn_Click();
    } else if (SameAnswer(answer, "cancel")) {
      picker.Command1_Click();
    } else {
      int index = -1;
      const auto& entries = picker.entries();
      for (size_t i = 0; i < entries.size(); ++i) {
        if (SameAnswer(answer, entries[i])) index = static_cast<int>(i);
      }
      if (index < 0) {
        PrintLine(buttons);
        continue;
      }
      picker.List1_Click(index);
    }
    if (!picker.closed()) show_block();
  }
}

void ConsoleInteraction::ShowHelpContents(HelpOwner, const std::string& help_file) {
  std::ifstream in(help_file, std::ios::binary);
  if (!in) {
    int err = errno;
    PrintLine("Cannot open the help file " + help_file + ": " + std::strerror(err));
    return;
  }
  std::ostringstream html;
  html << in.rdbuf();
  PrintLine("== Contents ==");
  for (const auto& line : HelpTextLines(html.str())) PrintLine(line);
}

void ConsoleInteraction::ShowAbout() {
  PrintLine("== About Tavrix ==");
  PrintLine("Tavrix - Version 1.0");
}

void ConsoleInteraction::StatusChanged(StatusText which, const std::string& text) {
  switch (which) {
    case StatusText::kCaption:
    case StatusText::kLabel1:
    case StatusText::kLabel2:
    case StatusText::kLabel7:
    case StatusText::kSizeLbl:
    case StatusText::kReadDisplayLbl:
    case StatusText::kWriteDisplayLbl:
      break;
    case StatusText::kActionLbl:
      if (window_ != nullptr && !window_->action_visible) return;
      break;
    default:
      return;  // hidden labels of the window
  }
  PrintLine(std::string(StatusTextName(which)) + ": " + text);
}

void ConsoleInteraction::CopyProgress(int64_t done, int64_t total) {
  if (!terminal_ || total <= 0 || done <= 0) return;
  if (done > total) done = total;
  int cells = static_cast<int>(done * kBarCells / total);
  if (bar_open_ && cells == bar_cells_ && done < total) return;
  int percent = static_cast<int>(done * 100 / total);
  out_ << '\r' << '[' << std::string(static_cast<size_t>(cells), '#')
       << std::string(static_cast<size_t>(kBarCells - cells), '.') << "] " << percent << '%';
  bar_open_ = true;
  bar_cells_ = cells;
  if (done == total) EndBar();
  out_.flush();
}

}  // namespace tavrix
