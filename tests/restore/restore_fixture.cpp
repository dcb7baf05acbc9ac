#include "restore_fixture.h"

#include <algorithm>
#include <filesystem>

#include "platform/interaction.h"

namespace fs = std::filesystem;

namespace tavrix::testing {

std::string RecordText(const std::string& source_path, int64_t pieces, int64_t size,
                       const std::string& serial, const std::string& description) {
  const std::string crlf = "\r\n";
  return "Tavrix split set control record" + crlf + source_path + crlf + "2/13/26 10:20:30 AM" +
         crlf + " " + std::to_string(pieces) + crlf + " " + std::to_string(size) + crlf + serial +
         crlf + description + crlf;
}

std::vector<std::string> WriteSet(Bench& b, const std::string& data, int pieces,
                                  const SetOptions& o) {
  std::vector<std::string> names;
  int64_t size = static_cast<int64_t>(data.size());
  int64_t offset = 0;
  for (int k = 1; k <= pieces; ++k) {
    int64_t length = size / pieces + (k <= size % pieces ? 1 : 0);
    std::string name = o.prefix + std::to_string(k);
    b.NewFloppy(name);
    std::string dir = b.FloppyDir(name);
    std::string piece = "Tx~" + std::to_string(k) + "." + std::to_string(k == pieces ? 0 : k + 1);
    Bench::WriteFile(dir + "/" + piece,
                     data.substr(static_cast<size_t>(offset), static_cast<size_t>(length)));
    Bench::WriteFile(dir + "/Tx~SN" + o.serial, "");
    if (k == pieces && o.with_record) {
      Bench::WriteFile(
          dir + "/Tx~ctl.dat",
          RecordText(o.source_path, pieces, o.record_size < 0 ? size : o.record_size,
                     o.record_serial == "-" ? o.serial : o.record_serial, o.description));
    }
    offset += length;
    names.push_back(name);
  }
  return names;
}

void ScriptRestore(Bench& b, const std::vector<std::string>& floppies) {
  b.Insert(floppies.front());
  b.ui.Click("a:").Ok();
  b.ui.Click("c:").Ok();
  for (size_t i = 1; i < floppies.size(); ++i) {
    std::string next = floppies[i];
    b.ui.Msg(kAnswerOk, [&b, next] { b.Insert(next); });
  }
}

std::string FloppySnapshot(const Bench& b, const std::vector<std::string>& floppies) {
  std::string out;
  for (const auto& f : floppies) {
    std::string dir = b.FloppyDir(f);
    for (const auto& name : DirNames(dir))
      out += f + "/" + name + "=" + Bench::ReadFile(dir + "/" + name) + "\n";
  }
  return out;
}

std::vector<std::string> DirNames(const std::string& dir) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> MessageTexts(const ScriptedInteraction& ui) {
  std::vector<std::string> out;
  for (const auto& c : ui.messages()) out.push_back(c.text);
  return out;
}

bool Logged(const ScriptedInteraction& ui, const std::string& line) {
  const auto& log = ui.status_log();
  return std::find(log.begin(), log.end(), line) != log.end();
}

}  // namespace tavrix::testing
