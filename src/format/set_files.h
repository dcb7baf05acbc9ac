// Recognising the files of split sets on a floppy, ignoring case as FAT
// does: piece files "Tx~" number "." number, markers "Tx~SN" + serial and
// the control record "Tx~ctl.dat".
#pragma once

#include <string>
#include <vector>

namespace tavrix {

// "Tx~" digits "." digits.
bool IsPieceFileName(const std::string& name);
// "Tx~SN" followed by anything.
bool IsMarkerName(const std::string& name);
// "Tx~ctl.dat".
bool IsControlFileName(const std::string& name);
// True when `name` is the marker of serial `serial` (both ignoring case);
// false for every name when `serial` is empty.
bool IsMarkerOf(const std::string& name, const std::string& serial);
// Equal ignoring ASCII case.
bool SameName(const std::string& a, const std::string& b);

// The names among `names` that belong to a split set other than the one of
// `serial` (empty: any set): markers of another serial, piece files and the
// control record.
std::vector<std::string> OtherSetFiles(const std::vector<std::string>& names,
                                       const std::string& serial);

}  // namespace tavrix
