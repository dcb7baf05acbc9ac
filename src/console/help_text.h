// The help file as plain text for the terminal.
#pragma once

#include <string>
#include <vector>

namespace tavrix {

// The readable text of an HTML help page: tags removed, the head, styles and
// scripts left out, block elements on lines of their own, list items marked
// "- " or numbered "1. ", table cells of a row joined by " | ", character
// references decoded, runs of blanks folded (except inside
// <pre>), and at most one empty line in a row.  Plain text comes through
// with only its blank runs folded.
std::vector<std::string> HelpTextLines(const std::string& html);

}  // namespace tavrix
