// The set serial number and its marker file "Tx~SN" + serial.
#pragma once

#include <string>

namespace tavrix {

class MainForm;
struct SerialClock;

// D1 D2 R1 "." R2 R3 R4: the last digits of the two-digit month and day,
// then four random digits 1..8 drawn from a generator seeded from the clock.
std::string MakeSerial(const SerialClock& clock);

// True when the marker of form.r.SerialNumber is on the drive shown in
// Drive1.  A probe that fails for another reason than a missing file shows
// "Error  N :text" (title "error", style 16) and answers false.
bool SerialFileExists(MainForm& form);

}  // namespace tavrix
