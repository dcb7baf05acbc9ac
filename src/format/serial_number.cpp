#include "format/serial_number.h"

#include <chrono>
#include <random>

#include "format/number_text.h"
#include "format/piece_name.h"
#include "platform/error.h"
#include "restore/main_form.h"
#include "split/error_report.h"

namespace tavrix {

std::string MakeSerial(const SerialClock& clock) {
  // The clock is read once for the month and once for the day.
  std::tm for_month = clock.now();
  std::tm for_day = clock.now();
  std::function<double()> random = clock.random;
  std::mt19937_64 generator;
  if (!random) {
    // Seeded from the clock each time a serial is made.
    generator.seed(static_cast<uint64_t>(std::random_device{}()) ^
                   static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                   static_cast<uint64_t>(std::mktime(&for_month)));
    random = [&generator] { return std::uniform_real_distribution<double>(0.0, 1.0)(generator); };
  }
  auto digit = [&random] {
    int d = static_cast<int>(8 * random() + 1);
    if (d < 1) d = 1;
    if (d > 8) d = 8;
    return static_cast<char>('0' + d);
  };
  std::string serial;
  serial += static_cast<char>('0' + (for_month.tm_mon + 1) % 10);
  serial += static_cast<char>('0' + for_day.tm_mday % 10);
  serial += digit();
  serial += '.';
  for (int i = 0; i < 3; ++i) serial += digit();
  return serial;
}

bool SerialFileExists(MainForm& form) {
  std::string path = form.Drive1.drive.substr(0, 2) + kSerialPrefix + form.r.SerialNumber;
  // A probe that fails for another reason counts the floppy as not of this set.
  return ProbeFile(form, path, false);
}

}  // namespace tavrix
