#include "console/console_menu.h"

#include <string>

#include "console/console_interaction.h"

namespace tavrix {

namespace {

struct Entry {
  const char* number;
  const char* words;
  MenuItem item;
};
// The File menu's commands, then the Help menu's, then Exit.
constexpr Entry kEntries[] = {
    {"1", "Split a file", MenuItem::kSplit}, {"2", "Restore a file", MenuItem::kRestore},
    {"3", "Contents", MenuItem::kContents},  {"4", "About", MenuItem::kAbout},
    {"5", "Exit", MenuItem::kExit},
};

}  // namespace

MenuItem AskMenu(ConsoleInteraction& ui) {
  for (;;) {
    ui.PrintLine("== Tavrix ==");
    for (const Entry& e : kEntries) ui.PrintLine(std::string(e.number) + " " + e.words);
    ui.Print("> ");
    std::optional<std::string> line = ui.ReadAnswer();
    if (!line) return MenuItem::kExit;
    std::string answer = TrimBlanks(*line);
    for (const Entry& e : kEntries) {
      if (answer == e.number || SameAnswer(answer, e.words)) return e.item;
    }
  }
}

}  // namespace tavrix
