// The number patterns of the displays, with the locale's separators.
#pragma once

#include <cstdint>
#include <string>

namespace tavrix {

// "###,###,###": digits grouped by thousands; 0 gives "".
std::string FormatGrouped(int64_t value, char thousands_sep);
// "###,###,###,##0": as FormatGrouped, but 0 gives "0".
std::string FormatGroupedZero(int64_t value, char thousands_sep);
// "###.#0": two decimals, no grouping, no digit before the point below 1
// (2.058 gives "2.06", 0.5 gives ".50").
std::string FormatFloppyCount(double ratio, char decimal_point);

}  // namespace tavrix
