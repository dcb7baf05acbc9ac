#include "format/piece_name.h"

#include "format/number_text.h"

namespace tavrix {

std::string PieceName(int number, int last) {
  if (number == 0) return "NOT VALID";
  std::string next = last == -1 ? "0" : StrNoBlank(static_cast<int64_t>(number) + 1);
  return std::string(kPrefix) + StrNoBlank(number) + "." + next;
}

}  // namespace tavrix
