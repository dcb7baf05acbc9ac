// A fresh test machine in a temporary directory: a floppy drive a: (a
// directory playing a 1.44 MB floppy), a fixed disk c:, floppies to swap, a
// scripted user and the main form.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/sys_calls.h"
#include "restore/main_form.h"
#include "support/scripted_interaction.h"

namespace tavrix::testing {

class Bench {
 public:
  // `sys` replaces the operating system (a FaultInjector, say); the bench
  // does not own it.
  explicit Bench(SysCalls* sys = nullptr);
  ~Bench();
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  std::string root;   // the temporary directory
  std::string a_dir;  // what is in drive a: now
  std::string c_dir;  // drive c:
  ScriptedInteraction ui;
  std::unique_ptr<Platform> platform;
  std::unique_ptr<MainForm> form;

  // Adds or replaces a drive, as --drive would.
  void SetDrive(const DriveEntry& entry);
  // A new drive `letter` on a fresh folder root/<letter>, of drive type
  // `type`, emulating `geometry` when one is given; returns the folder.
  std::string AddDrive(char letter, int type, std::optional<Geometry> geometry = std::nullopt);
  // A new empty floppy on the shelf.
  void NewFloppy(const std::string& name);
  // Puts floppy `name` into drive a: (the one there goes back on the shelf).
  void Insert(const std::string& name);
  // Takes the floppy out of drive a: (the drive then has no medium).
  void Eject();
  const std::string& current_floppy() const { return current_; }
  // The directory of floppy `name`, wherever it is now.
  std::string FloppyDir(const std::string& name) const;

  // Files of this machine.
  static void WriteFile(const std::string& path, const std::string& bytes);
  static std::string ReadFile(const std::string& path);
  static bool FileExistsOnHost(const std::string& path);
  // `size` bytes that vary (no repeating block), reproducible from `seed`.
  static std::string VariedBytes(int64_t size, uint32_t seed = 1);

 private:
  std::string shelf_;
  std::string current_;
};

// The clock of the tests: 13 February 2026, 10:20:30; random digits 5, 7, 1, 4.
SerialClock FixedClock();

}  // namespace tavrix::testing
