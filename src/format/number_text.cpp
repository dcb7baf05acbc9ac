#include "format/number_text.h"

namespace tavrix {

std::string Str(int64_t n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }

std::string StrNoBlank(int64_t n) { return std::to_string(n); }

int64_t LeadingNumber(const std::string& text, int64_t limit, bool* overflow) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  int64_t value = 0;
  *overflow = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > (limit - (text[i] - '0')) / 10) {
      *overflow = true;
      return 0;
    }
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace tavrix
