// The control record "Tx~ctl.dat": seven CR LF text lines on the last floppy.
#pragma once

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

// The record's bytes: seven lines, each ended by CR LF.  Fields that the
// reading rule would cut are quoted; CR and LF inside a field become blanks.
std::string FormatControlRecord(const ControlRecord& record);
// The date line for a modification time: the locale's short date and long
// time, commas dropped.
std::string ControlRecordDate(const std::tm& when);

// The fields of a record's bytes by the reading rule (leading blanks
// skipped; a field ends at a comma or the end of the line; a field that
// starts with a double quote runs to the next double quote).  All fields,
// the eighth and later included.
std::vector<std::string> ReadRecordFields(const std::string& content);

// Reads the control record on the floppy of form.r.SourceFile and loads it
// when its serial matches form.r.SerialNumber (ignoring case).  Raises the
// platform's errors to the caller.  Always returns 0.
int ReadControlRecord(MainForm& form);

// Text bytes that are not valid UTF-8 are taken as Latin-1 and converted.
std::string DisplayText(const std::string& bytes);

}  // namespace tavrix
