#include "split/command_line_start.h"

#include <stdexcept>


namespace tavrix {

std::optional<StartOptions> ParseStartOptions(const std::vector<std::string>& argv, std::string*) {
  StartOptions o;
  o.args = argv;
  return o;
}
std::string UsageText() { return "usage: tavrix [SOURCE DRIVE]\n"; }
void Form_Load(MainForm&, const std::vector<std::string>&) { throw std::logic_error("Form_Load"); }

}  // namespace tavrix
