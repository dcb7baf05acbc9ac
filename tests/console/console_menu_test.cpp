// The menu of the terminal front end.
#include "console/console_menu.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/console_interaction.h"

namespace tavrix {
namespace {

const char kMenu[] =
    "== Tavrix ==\n"
    "1 Split a file\n"
    "2 Restore a file\n"
    "3 Contents\n"
    "4 About\n"
    "5 Exit\n"
    "> ";

MenuItem Ask(const std::string& input, std::string* printed = nullptr) {
  std::istringstream in(input);
  std::ostringstream out;
  ConsoleInteraction ui(in, out, false);
  MenuItem item = AskMenu(ui);
  if (printed != nullptr) *printed = out.str();
  return item;
}

TEST(ConsoleMenu, PrintsTheMenuAndPrompt) {
  std::string printed;
  EXPECT_EQ(Ask("1\n", &printed), MenuItem::kSplit);
  EXPECT_EQ(printed, kMenu);
}

TEST(ConsoleMenu, AnItemIsChosenByNumberOrWordsCaseIgnored) {
  struct Case {
    const char* input;
    MenuItem item;
  } cases[] = {
      {"1\n", MenuItem::kSplit},     {"split a file\n", MenuItem::kSplit},
      {" 2 \n", MenuItem::kRestore}, {"RESTORE A FILE\r\n", MenuItem::kRestore},
      {"3\n", MenuItem::kContents},  {"contents\n", MenuItem::kContents},
      {"4\n", MenuItem::kAbout},     {"About\n", MenuItem::kAbout},
      {"5\n", MenuItem::kExit},      {"exit\n", MenuItem::kExit},
  };
  for (const auto& k : cases) EXPECT_EQ(Ask(k.input), k.item) << k.input;
}

TEST(ConsoleMenu, AnythingElseShowsTheMenuAgain) {
  std::string printed;
  EXPECT_EQ(Ask("6\nsplit\n\n4\n", &printed), MenuItem::kAbout);
  EXPECT_EQ(printed, std::string(kMenu) + kMenu + kMenu + kMenu);
}

TEST(ConsoleMenu, EndOfInputIsExit) {
  EXPECT_EQ(Ask(""), MenuItem::kExit);
  EXPECT_EQ(Ask("nonsense\n"), MenuItem::kExit);
}

}  // namespace
}  // namespace tavrix
