#include "console/help_text.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace tavrix {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the character reference at html[i] ('&').  Returns the text it
// stands for and sets *length to the characters it takes; an unknown
// reference stands for itself.
std::string Reference(const std::string& html, size_t i, size_t* length) {
  size_t semi = html.find(';', i);
  *length = 1;
  if (semi == std::string::npos || semi - i > 10) return "&";
  std::string name = html.substr(i + 1, semi - i - 1);
  std::string out;
  if (!name.empty() && name[0] == '#') {
    bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    std::string digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return "&";
    char* end = nullptr;
    unsigned long cp = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
    if (*end != '\0') return "&";
    AppendUtf8(out, static_cast<uint32_t>(cp));
  } else {
    static const struct {
      const char* name;
      const char* text;
    } kNamed[] = {{"amp", "&"},        {"lt", "<"},         {"gt", ">"},        {"quot", "\""},
                  {"apos", "'"},       {"nbsp", " "},       {"copy", "\u00A9"}, {"mdash", "\u2014"},
                  {"ndash", "\u2013"}, {"hellip", "\u2026"}};
    bool known = false;
    for (const auto& n : kNamed) {
      if (name == n.name) {
        out = n.text;
        known = true;
      }
    }
    if (!known) return "&";
  }
  *length = semi - i + 1;
  return out;
}

// Collects lines: folds blank runs, keeps at most one empty line in a row.
class Lines {
 public:
  void Text(const std::string& s, bool pre) {
    for (char c : s) {
      if (pre) {
        if (c == '\n') {
          Break();
        } else if (c != '\r') {
          line_ += c;
        }
      } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
        pending_blank_ = !line_.empty();
      } else {
        if (pending_blank_ && line_.back() != ' ') line_ += ' ';
        pending_blank_ = false;
        line_ += c;
      }
    }
  }
  // Ends the current line, if it holds anything.
  void EndLine() {
    if (!line_.empty()) Break();
    pending_blank_ = false;
  }
  // Ends the current line and leaves one empty line after it.
  void Paragraph() {
    EndLine();
    if (!lines_.empty() && !lines_.back().empty()) lines_.push_back("");
  }
  // Ends the current line even when empty.
  void Break() {
    while (!line_.empty() && line_.back() == ' ') line_.pop_back();
    if (!(line_.empty() && !lines_.empty() && lines_.back().empty())) lines_.push_back(line_);
    line_.clear();
    pending_blank_ = false;
  }
  std::vector<std::string> Take() {
    EndLine();
    while (!lines_.empty() && lines_.back().empty()) lines_.pop_back();
    size_t first = 0;
    while (first < lines_.size() && lines_[first].empty()) ++first;
    return {lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.end()};
  }

 private:
  std::vector<std::string> lines_;
  std::string line_;
  bool pending_blank_ = false;
};

bool OneOf(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* n : names) {
    if (name == n) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> HelpTextLines(const std::string& html) {
  Lines lines;
  if (html.find('<') == std::string::npos) {
    lines.Text(html, true);
    return lines.Take();
  }
  const std::string lower = Lower(html);
  bool pre = false;
  // Open lists, innermost last: the next item number of an ordered list,
  // 0 for a bulleted one.
  std::vector<int> lists;
  bool first_cell = true;
  size_t i = 0;
  while (i < html.size()) {
    char c = html[i];
    if (c == '&') {
      size_t length = 0;
      lines.Text(Reference(html, i, &length), pre);
      i += length;
      continue;
    }
    if (c != '<') {
      size_t next = html.find_first_of("<&", i);
      if (next == std::string::npos) next = html.size();
      lines.Text(html.substr(i, next - i), pre);
      i = next;
      continue;
    }
    if (html.compare(i, 4, "<!--") == 0) {
      size_t end = html.find("-->", i + 4);
      i = end == std::string::npos ? html.size() : end + 3;
      continue;
    }
    size_t end = html.find('>', i);
    if (end == std::string::npos) break;  // a tag cut off at the end of the file
    std::string tag = html.substr(i + 1, end - i - 1);
    i = end + 1;
    bool closing = !tag.empty() && tag[0] == '/';
    size_t name_start = closing ? 1 : 0;
    size_t name_end = tag.find_first_of(" \t\r\n/>", name_start);
    if (name_end == std::string::npos) name_end = tag.size();
    std::string name = Lower(tag.substr(name_start, name_end - name_start));
    if (!closing && OneOf(name, {"head", "style", "script"})) {
      // Their content is not text of the page.
      size_t close = lower.find("</" + name, i);
      if (close == std::string::npos) break;
      size_t close_end = html.find('>', close);
      i = close_end == std::string::npos ? html.size() : close_end + 1;
      continue;
    }
    if (name == "br") {
      lines.Break();
    } else if (name == "pre") {
      lines.Paragraph();
      pre = !closing;
    } else if (name == "li") {
      lines.EndLine();
      if (!closing) {
        int* number = lists.empty() || lists.back() == 0 ? nullptr : &lists.back();
        lines.Text(number != nullptr ? std::to_string((*number)++) + ". " : "- ", true);
      }
    } else if (name == "ul" || name == "ol") {
      lines.Paragraph();
      if (!closing) {
        lists.push_back(name == "ol" ? 1 : 0);
      } else if (!lists.empty()) {
        lists.pop_back();
      }
    } else if (OneOf(name, {"p", "h1", "h2", "h3", "h4", "h5", "h6", "dl", "table", "blockquote",
                            "hr"})) {
      lines.Paragraph();
    } else if (name == "tr") {
      lines.EndLine();
      first_cell = true;
    } else if (OneOf(name, {"div", "dt", "dd", "section", "body", "html", "title"})) {
      lines.EndLine();
    } else if (OneOf(name, {"td", "th"}) && !closing) {
      // Cells of a row stand on one line, apart.
      if (!first_cell) lines.Text(" | ", true);
      first_cell = false;
    }
  }
  return lines.Take();
}

}  // namespace tavrix
