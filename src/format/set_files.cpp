#include "format/set_files.h"

#include <strings.h>

#include "format/piece_name.h"

namespace tavrix {

namespace {

bool StartsWithIgnoringCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && ::strncasecmp(s.c_str(), prefix.c_str(), prefix.size()) == 0;
}

// True for one or more decimal digits in s[from, to).
bool AllDigits(const std::string& s, size_t from, size_t to) {
  if (from >= to) return false;
  for (size_t i = from; i < to; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

bool IsPieceFileName(const std::string& name) {
  const std::string prefix = kPrefix;
  if (!StartsWithIgnoringCase(name, prefix)) return false;
  size_t dot = name.find('.', prefix.size());
  return dot != std::string::npos && AllDigits(name, prefix.size(), dot) &&
         AllDigits(name, dot + 1, name.size());
}

bool IsMarkerName(const std::string& name) {
  return StartsWithIgnoringCase(name, kSerialPrefix);
}

bool IsControlFileName(const std::string& name) {
  return SameName(name, kControlFileName);
}

bool IsMarkerOf(const std::string& name, const std::string& serial) {
  return !serial.empty() && SameName(name, kSerialPrefix + serial);
}

std::vector<std::string> OtherSetFiles(const std::vector<std::string>& names,
                                       const std::string& serial) {
  std::vector<std::string> out;
  for (const auto& n : names) {
    bool other_marker = IsMarkerName(n) && !IsMarkerOf(n, serial);
    if (other_marker || IsPieceFileName(n) || IsControlFileName(n)) out.push_back(n);
  }
  return out;
}

}  // namespace tavrix
