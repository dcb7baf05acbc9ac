// The main window's menu as a numbered list on the terminal.
#pragma once

namespace tavrix {

class ConsoleInteraction;

enum class MenuItem { kSplit, kRestore, kContents, kAbout, kExit };

// Shows the menu and reads answers until one names an item, by its number
// or its words (case ignored); any other answer shows the menu again.
// Returns kExit at end of input.
MenuItem AskMenu(ConsoleInteraction& ui);

}  // namespace tavrix
