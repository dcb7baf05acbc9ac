// The control record "Tx~ctl.dat": seven CR LF text lines on the last floppy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace tavrix {

class MainForm;

// The seven lines as written.
struct ControlRecord {
  std::string source_path;
  std::string date;  // short date, blank, long time; never a comma
  int64_t pieces = 0;
  int64_t size = 0;
  std::string serial;
  std::string description;
};

// The banner of line 1.
extern const char* const kControlBanner;
// The description written when the user gives none.
inline constexpr const char* kNoDescription = "[No Description]";

// The record's bytes: seven lines, each ended by CR LF.  Fields that the
// reading rule would cut are quoted; CR and LF inside a field become blanks.
std::string FormatControlRecord(const ControlRecord& record);
// The record made to fit `room` bytes of free space on a disk of
// `cluster`-byte clusters: the description is shortened first, then the
// path cut to its file name (all a reader takes from it).  A record that
// fits already, or a disk whose figures are unknown (0), is left as it is.
ControlRecord FitControlRecord(ControlRecord record, int64_t room, int64_t cluster);
// The date line for a modification time: the locale's short date and long
// time, commas dropped.
std::string ControlRecordDate(const std::tm& when);

// The reading rule, fed in pieces: leading blanks skipped; a field ends at a
// comma or the end of a line (CR LF, CR or LF); a field that starts with a
// double quote runs to the next double quote on its line, and what follows
// that quote up to the comma or the end of the line is dropped.
class RecordFieldReader {
 public:
  // Keeps the first `keep` fields (0: all); later ones are only counted.
  explicit RecordFieldReader(size_t keep = 0) : keep_(keep) {}
  void Feed(const char* data, size_t size);
  // Ends the last field when the input stopped inside it.
  void Finish();
  const std::vector<std::string>& fields() const { return fields_; }
  // Fields read, the dropped ones included.
  size_t count() const { return count_; }

 private:
  enum class State { kBlanks, kPlain, kQuoted, kAfterQuote };
  void EndField(bool by_comma);
  void EndLine();

  size_t keep_;
  std::vector<std::string> fields_;
  size_t count_ = 0;
  std::string current_;
  State state_ = State::kBlanks;
  bool pending_ = false;  // a field has begun (or follows a comma) on this line
  bool after_cr_ = false;
};

// The fields of a record's bytes by the reading rule, the eighth and later
// included.
std::vector<std::string> ReadRecordFields(const std::string& content);

// Reads the control record on the floppy of form.r.SourceFile and loads it
// when its serial matches form.r.SerialNumber (ignoring case).  Raises the
// platform's errors to the caller, and 6 (overflow) when the piece count
// exceeds 32767 or the size 2^31 - 1.  Always returns 0.
int ReadControlRecord(MainForm& form);

// Text bytes that are not valid UTF-8 are taken as Latin-1 and converted.
std::string DisplayText(const std::string& bytes);

}  // namespace tavrix
