// A split ready to run: a source of varied bytes on c:, blank floppies on
// the shelf, and helpers to look at what the floppies hold afterwards.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "drives/drive_lists.h"
#include "platform/error.h"
#include "restore/main_form.h"
#include "split/split_driver.h"
#include "support/bench.h"
#include "support/fault_injector.h"

namespace tavrix::testing {

inline constexpr int64_t kClusterBytes = 512;
inline constexpr int64_t kTotalClusters = 2847;
// Free space of a blank 1.44 MB floppy less one cluster.
inline constexpr int64_t kPieceBytes = (kTotalClusters - 1) * kClusterBytes;  // 1,457,152

// One machine for one split; a test that runs several splits makes one each.
class SplitRig {
 public:
  explicit SplitRig(SysCalls* sys = nullptr) : bench(sys) {}

  MainForm& form() { return *bench.form; }
  ScriptedInteraction& ui() { return bench.ui; }

  // The source on c: and blank floppies f1..f6.
  void Source(int64_t size) {
    source = Bench::VariedBytes(size, 7);
    Bench::WriteFile(bench.c_dir + "/big.bin", source);
    form().r.SourceFile = "c:\\big.bin";
    form().r.SourceSize = size;
    for (int i = 1; i <= 6; ++i) bench.NewFloppy("f" + std::to_string(i));
  }
  // Floppy `name` goes in and is selected in Drive1, which measures it.
  void ChooseFirst(const std::string& name) {
    bench.Insert(name);
    SelectDrive1(form(), "a:");
  }
  // "Insert floppy # N" answered OK after `name` went in.
  void InsertAtPrompt(const std::string& name) {
    ui().Msg(kAnswerOk, [this, name] { bench.Insert(name); });
  }
  std::string Read(const std::string& floppy, const std::string& file) {
    return Bench::ReadFile(bench.FloppyDir(floppy) + "/" + file);
  }
  std::vector<std::string> Files(const std::string& floppy) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(bench.FloppyDir(floppy))) {
      out.push_back(e.path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  // Runs the split; returns the exit status when the program ended, -1
  // when the driver returned.
  int RunSplit() {
    try {
      Copy_btn_Click(form());
    } catch (const ProgramExit& e) {
      return e.status;
    }
    return -1;
  }
  // Message boxes shown, as "title|text|style".
  std::vector<std::string> Messages() {
    std::vector<std::string> out;
    for (const auto& m : ui().messages()) {
      out.push_back(m.title + "|" + m.text + "|" + std::to_string(m.style));
    }
    return out;
  }

  Bench bench;
  std::string source;
};

// Holds a fault injector; listed first among the bases of a fixture so that
// it outlives the bench (whose open files still close through it).
struct WithFaults {
  FaultInjector sys;
};

class SplitTest : public ::testing::Test, public SplitRig {
 protected:
  explicit SplitTest(SysCalls* sys = nullptr) : SplitRig(sys) {}
};

}  // namespace tavrix::testing
