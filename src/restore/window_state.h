// What the main window shows, kept free of any toolkit.
//
// The front ends render this state; the engines change it through MainForm,
// which tells the front end about every status text that changes value.
#pragma once

#include <array>
#include <string>

namespace tavrix {

enum class StatusText {
  kCaption,
  kLabel1,
  kLabel2,
  kLabel3,
  kLabel4,
  kLabel5,
  kLabel6,
  kLabel7,
  kSizeLbl,
  kReadDisplayLbl,
  kWriteDisplayLbl,
  kActionLbl,
};
inline constexpr int kStatusTextCount = 12;

// The name a status text goes by ("Label1", "Caption").
const char* StatusTextName(StatusText which);

// The pictures of the disk-information rows.
enum class Picture { kNone, kHardDisk, kCdRom, kFiveFloppies, kThreeFloppies };

// The two looks of the activity label.
enum class ActivityLook { kReading, kWriting };

inline constexpr int kRestingHeightTwips = 1950;
inline constexpr int kRunExtraTwips = 2475;
inline constexpr int kTwipsPerPixel = 15;

struct WindowState {
  std::array<std::string, kStatusTextCount> texts{};
  bool action_visible = false;
  ActivityLook action_look = ActivityLook::kReading;
  int height_twips = kRestingHeightTwips;
  Picture read_from_device_pic = Picture::kNone;
  Picture write_to_device_pic = Picture::kHardDisk;
  bool write_to_device_pic_visible = false;
  bool copy_btn_enabled = false;
  // A command's handler is running: the split and restore commands are
  // unavailable until it returns.
  bool command_running = false;

  const std::string& text(StatusText which) const { return texts[static_cast<int>(which)]; }
};

}  // namespace tavrix
