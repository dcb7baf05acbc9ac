#include "format/control_record.h"

#include <algorithm>
#include <cstdint>

#include "format/number_text.h"
#include "format/piece_name.h"
#include "format/set_files.h"
#include "platform/error.h"
#include "restore/main_form.h"
#include "restore/target_name.h"

namespace tavrix {

const char* const kControlBanner = "Tavrix split set control record";

namespace {

inline constexpr int64_t kMaxRecordPieces = 32767;     // a 16-bit count
inline constexpr int64_t kMaxRecordSize = 2147483647;  // a 32-bit size

// One text field as the reading rule will give it back: CR and LF become
// blanks; a field the rule would cut or trim goes between double quotes, and
// since the rule has no escape, a double quote inside it becomes a single
// quote.  Anything else is written exactly as it stands.
std::string WriteField(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  bool quote =
      text.find(',') != std::string::npos || (!text.empty() && (text[0] == ' ' || text[0] == '"'));
  if (!quote) return text;
  std::replace(text.begin(), text.end(), '"', '\'');
  return "\"" + text + "\"";
}

// Length of the valid UTF-8 sequence at s[i], or 0 when it is not one.
size_t Utf8SequenceAt(const std::string& s, size_t i) {
  auto byte = [&s](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = byte(i);
  if (c < 0x80) return 1;
  size_t len;
  uint32_t cp;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
  if ((len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) || cp > 0x10FFFF ||
      (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  return len;
}

// The path of the control record beside the piece file `source_file`.
std::string ControlRecordPath(const MainForm& form, const std::string& source_file) {
  std::string drive = form.platform.DriveOf(source_file);
  if (Platform::IsDesignation(drive)) return drive + kControlFileName;
  return drive + (drive.empty() || drive.back() == '/' ? "" : "/") + kControlFileName;
}

}  // namespace

std::string FormatControlRecord(const ControlRecord& record) {
  const std::string crlf = "\r\n";
  std::string out;
  out += kControlBanner + crlf;
  out += WriteField(record.source_path) + crlf;
  out += WriteField(record.date) + crlf;
  out += Str(record.pieces) + crlf;
  out += Str(record.size) + crlf;
  out += WriteField(record.serial) + crlf;
  out += WriteField(record.description) + crlf;
  return out;
}

namespace {

// Bytes the record takes on the disk: whole clusters.
int64_t ClustersBytes(const ControlRecord& record, int64_t cluster) {
  int64_t size = static_cast<int64_t>(FormatControlRecord(record).size());
  return (size + cluster - 1) / cluster * cluster;
}

// Drops the last character of `text`, never cutting a UTF-8 sequence.
void DropLastCharacter(std::string* text) {
  while (!text->empty() && (static_cast<unsigned char>(text->back()) & 0xC0) == 0x80) {
    text->pop_back();
  }
  if (!text->empty()) text->pop_back();
}

}  // namespace

ControlRecord FitControlRecord(ControlRecord record, int64_t room, int64_t cluster) {
  if (cluster <= 0 || room <= 0 || ClustersBytes(record, cluster) <= room) return record;
  // The last floppy keeps one cluster free; a long description (or path)
  // would not fit there, and the set would lose its record altogether.
  while (!record.description.empty() && ClustersBytes(record, cluster) > room) {
    DropLastCharacter(&record.description);
  }
  if (record.description.empty()) record.description = kNoDescription;
  if (ClustersBytes(record, cluster) > room) {
    auto sep = record.source_path.find_last_of("\\/");
    if (sep != std::string::npos) record.source_path = record.source_path.substr(sep + 1);
  }
  return record;
}

std::string ControlRecordDate(const std::tm& when) {
  char buf[256];
  size_t n = std::strftime(buf, sizeof buf, "%x %X", &when);
  std::string out(buf, n);
  // A comma would split the line into two fields and shift every later one.
  out.erase(std::remove(out.begin(), out.end(), ','), out.end());
  return out;
}

void RecordFieldReader::EndField(bool by_comma) {
  if (keep_ == 0 || fields_.size() < keep_) fields_.push_back(std::move(current_));
  current_.clear();
  ++count_;
  state_ = State::kBlanks;
  // After a comma the next read goes on along the same line.
  pending_ = by_comma;
}

void RecordFieldReader::EndLine() {
  // A line ends the field under way; an empty line is an empty field.
  EndField(false);
}

void RecordFieldReader::Feed(const char* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    char c = data[i];
    if (c == '\n' && after_cr_) {  // the LF of a CR LF
      after_cr_ = false;
      continue;
    }
    after_cr_ = c == '\r';
    if (c == '\r' || c == '\n') {
      EndLine();
      continue;
    }
    switch (state_) {
      case State::kBlanks:
        pending_ = true;
        if (c == ' ') break;
        if (c == '"') {
          state_ = State::kQuoted;
        } else if (c == ',') {
          EndField(true);
        } else {
          current_ += c;
          state_ = State::kPlain;
        }
        break;
      case State::kPlain:
        if (c == ',') {
          EndField(true);
        } else {
          current_ += c;
        }
        break;
      case State::kQuoted:
        if (c == '"') {
          state_ = State::kAfterQuote;
        } else {
          current_ += c;
        }
        break;
      case State::kAfterQuote:
        if (c == ',') EndField(true);
        break;
    }
  }
}

void RecordFieldReader::Finish() {
  // Input that stops inside a line still ends the field begun on it.
  if (state_ != State::kBlanks || pending_) EndField(false);
  pending_ = false;
}

std::vector<std::string> ReadRecordFields(const std::string& content) {
  RecordFieldReader reader;
  reader.Feed(content.data(), content.size());
  reader.Finish();
  return reader.fields();
}

int ReadControlRecord(MainForm& form) {
  std::string path = ControlRecordPath(form, form.r.SourceFile);
  File file = form.platform.Open(path, OpenMode::kRead);
  form.SetText(StatusText::kLabel1, "Found control file ... loading");
  form.DoEvents();

  // Only the first seven fields are kept, so a long or foreign file cannot
  // make memory grow beyond them.
  RecordFieldReader reader(7);
  char buf[4096];
  int64_t pos = 0;
  for (;;) {
    int64_t n = file.ReadAt(buf, sizeof buf, pos);
    if (n <= 0) break;
    reader.Feed(buf, static_cast<size_t>(n));
    pos += n;
  }
  reader.Finish();
  file.Close();

  const auto& fields = reader.fields();
  auto field = [&fields](size_t k) { return k <= fields.size() ? fields[k - 1] : std::string(); };
  bool overflow = false;
  int64_t pieces = LeadingNumber(field(4), kMaxRecordPieces, &overflow);
  if (overflow) Raise(kOverflow, path);
  int64_t size = LeadingNumber(field(5), kMaxRecordSize, &overflow);
  if (overflow) Raise(kOverflow, path);

  // A record without a serial, or of another set, is read and ignored.
  if (field(6).empty() || form.r.SerialNumber.empty()) return 0;
  if (!SameName(kSerialPrefix + field(6), form.r.SerialNumber)) return 0;

  std::string recorded = DisplayText(field(2));
  form.r.OriginalName = recorded;
  form.r.OriginalDate = DisplayText(field(3));
  form.r.RecordPieces = static_cast<int>(pieces);
  form.r.OriginalSize = size;
  form.r.RecordSerial = field(6);
  form.r.SetDescription = DisplayText(field(7));
  form.SetText(StatusText::kLabel7, "Original file name is " + form.r.OriginalName);
  form.DoEvents();
  form.r.OriginalName = PlaceOriginalName(form, recorded);
  if (form.r.SetDescription != kNoDescription)
    form.SetCaption("Tavrix <> " + form.r.SetDescription);
  return 0;
}

std::string DisplayText(const std::string& bytes) {
  bool valid = true;
  for (size_t i = 0; i < bytes.size();) {
    size_t len = Utf8SequenceAt(bytes, i);
    if (len == 0) {
      valid = false;
      break;
    }
    i += len;
  }
  if (valid) return bytes;
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char ch : bytes) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace tavrix
