// Split sets written straight from the format's description, and the script
// of a restore that feeds their floppies in a given order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/bench.h"

namespace tavrix::testing {

// How a set is written.  Floppy k (1-based) is named prefix + k and holds
// the piece file "Tx~k.next", the empty marker "Tx~SN" + serial and, on the
// last floppy, "Tx~ctl.dat": seven lines, each ended by CR LF.
struct SetOptions {
  std::string prefix = "f";
  std::string serial = "235.714";
  std::string source_path = "C:\\DATA\\BIG.BIN";
  std::string description = "[No Description]";
  bool with_record = true;
  int64_t record_size = -1;         // the size line; -1 for the data's size
  std::string record_serial = "-";  // the serial line; "-" for `serial`
};

// The seven lines of a control record.
std::string RecordText(const std::string& source_path, int64_t pieces, int64_t size,
                       const std::string& serial, const std::string& description);

// Cuts `data` into `pieces` consecutive pieces of nearly equal size (none
// empty) and writes the floppies onto the bench's shelf.  Returns the
// floppy names in piece order.
std::vector<std::string> WriteSet(Bench& b, const std::string& data, int pieces,
                                  const SetOptions& options = {});

// Scripts a restore from `floppies` in the order given: the first is put in
// drive a: now, a: is picked in the floppy picker and c: in the target
// picker, and each "Please insert another disk of this set" is answered OK
// after the next floppy went in.
void ScriptRestore(Bench& b, const std::vector<std::string>& floppies);

// Every file of the floppies, names and bytes, as one text: equal before and
// after a restore when the floppies were left untouched.
std::string FloppySnapshot(const Bench& b, const std::vector<std::string>& floppies);

// Names of the entries of a host directory, sorted.
std::vector<std::string> DirNames(const std::string& dir);

// The texts of the message boxes shown, in order.
std::vector<std::string> MessageTexts(const ScriptedInteraction& ui);

// True when the status log holds exactly `line` ("Label7: Set ends at  4").
bool Logged(const ScriptedInteraction& ui, const std::string& line);

}  // namespace tavrix::testing
