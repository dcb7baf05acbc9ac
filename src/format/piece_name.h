// Names of the piece files of a split set: "Tx~" k "." next.
#pragma once

#include <string>

namespace tavrix {

// "Tx~" + number + "." + ("0" when last == -1, else number + 1).
// Number 0 gives "NOT VALID", whatever `last`.
std::string PieceName(int number, int last);

// File-name prefix shared by every file of a set and the restore's working files.
inline constexpr const char* kPrefix = "Tx~";
inline constexpr const char* kControlFileName = "Tx~ctl.dat";
inline constexpr const char* kSerialPrefix = "Tx~SN";
inline constexpr const char* kStartFileName = "Tx~Start.OK";
inline constexpr const char* kHoldPrefix = "Tx~Hold.";

}  // namespace tavrix
