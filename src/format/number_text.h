// The number-to-text form of the format: a leading blank for a number that is
// not negative, a minus sign otherwise.
#pragma once

#include <cstdint>
#include <string>

namespace tavrix {

// " 5", " 0", "-3".
std::string Str(int64_t n);
// "5", "0", "-3".
std::string StrNoBlank(int64_t n);
// The numeric value of the leading decimal digits of `text` after leading
// blanks; 0 when there are none.  Sets *overflow when the digits exceed
// `limit`.
int64_t LeadingNumber(const std::string& text, int64_t limit, bool* overflow);

}  // namespace tavrix
