#include "drives/number_format.h"

#include <charconv>
#include <cstdint>

namespace tavrix {

std::string FormatGrouped(int64_t value, char thousands_sep) {
  if (value == 0) return "";
  bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  std::string out;
  int count = 0;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (count > 0 && count % 3 == 0) out.insert(out.begin(), thousands_sep);
    out.insert(out.begin(), *it);
    ++count;
  }
  return negative ? "-" + out : out;
}

std::string FormatGroupedZero(int64_t value, char thousands_sep) {
  return value == 0 ? "0" : FormatGrouped(value, thousands_sep);
}

std::string FormatFloppyCount(double ratio, char decimal_point) {
  // to_chars ignores the C locale, so the point is always '.' here.
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, ratio, std::chars_format::fixed, 2);
  std::string text = ec == std::errc() ? std::string(buf, end) : std::string("0.00");
  // No digit before the point below 1: "0.50" reads ".50".
  if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
  for (char& c : text) {
    if (c == '.') c = decimal_point;
  }
  return text;
}

}  // namespace tavrix
