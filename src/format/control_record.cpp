#include "format/control_record.h"

#include <stdexcept>


namespace tavrix {

const char* const kControlBanner = "Tavrix split set control record";
std::string FormatControlRecord(const ControlRecord&) { throw std::logic_error("FormatControlRecord"); }
std::string ControlRecordDate(const std::tm&) { throw std::logic_error("ControlRecordDate"); }
std::vector<std::string> ReadRecordFields(const std::string&) { throw std::logic_error("ReadRecordFields"); }
int ReadControlRecord(MainForm&) { throw std::logic_error("ReadControlRecord"); }
std::string DisplayText(const std::string& bytes) { return bytes; }

}  // namespace tavrix
