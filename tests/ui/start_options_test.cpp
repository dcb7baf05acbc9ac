// The program's own options, the drive table of a start, the choice of
// front end and the help file's place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "split/command_line_start.h"
#include "split/help_about.h"
#include "support/bench.h"

namespace tavrix {
namespace {

std::optional<StartOptions> Parse(const std::vector<std::string>& argv, std::string* error) {
  error->clear();
  return ParseStartOptions(argv, error);
}

TEST(ParseStartOptions, LeavesTheCommandLineAndTakesOptionsAnywhere) {
  std::string error;
  auto o =
      Parse({"/home/ann/big.zip", "a", "--drive", "a=/tmp/f,geometry=1.44m", "--console"}, &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->args, (std::vector<std::string>{"/home/ann/big.zip", "a"}));
  EXPECT_TRUE(o->console);
  ASSERT_EQ(o->drives.size(), 1u);
  EXPECT_EQ(o->drives[0].letter, 'a');
  EXPECT_EQ(o->drives[0].directory, "/tmp/f");
  EXPECT_EQ(o->drives[0].type, kDriveRemovable);
  ASSERT_TRUE(o->drives[0].geometry);
  EXPECT_EQ(o->drives[0].geometry->total_clusters, 2847);
}

TEST(ParseStartOptions, TakesEveryOptionInBothForms) {
  std::string error;
  auto o = Parse(
      {"--drive=c=/srv/c", "--drive", "d=/srv/d,type=cdrom", "--split", "--help", "--version"},
      &error);
  ASSERT_TRUE(o) << error;
  ASSERT_EQ(o->drives.size(), 2u);
  EXPECT_EQ(o->drives[0].type, kDriveFixed);
  EXPECT_EQ(o->drives[1].type, kDriveCdrom);
  EXPECT_TRUE(o->split);
  EXPECT_TRUE(o->help);
  EXPECT_TRUE(o->version);
  EXPECT_FALSE(o->restore);
  EXPECT_FALSE(o->console);
  EXPECT_TRUE(o->args.empty());
}

TEST(ParseStartOptions, ArgumentsThatLookLikeOptions) {
  std::string error;
  // "--" ends the options; a lone "-" is an argument; a path with blanks
  // stays one argument.
  auto o = Parse({"--", "--drive", "-"}, &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->args, (std::vector<std::string>{"--drive", "-"}));
  o = Parse({"-", "/tmp/My Files/big.zip a"}, &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->args, (std::vector<std::string>{"-", "/tmp/My Files/big.zip a"}));
}

TEST(ParseStartOptions, BadUsage) {
  struct Case {
    std::vector<std::string> argv;
    std::string message;
  };
  const Case cases[] = {
      {{"--bogus"}, "tavrix: unrecognized option '--bogus'"},
      {{"big.zip", "-x"}, "tavrix: unrecognized option '-x'"},
      {{"--console=yes"}, "tavrix: unrecognized option '--console=yes'"},
      {{"--drive"}, "tavrix: option '--drive' requires an argument"},
      // The drive option's own complaint follows its value.
      {{"--drive", "a=/f,geometry=2.88m"}, "tavrix: --drive a=/f,geometry=2.88m: *"},
      {{"--drive=/f"}, "tavrix: --drive /f: *"},
      {{"--split", "--restore"}, "tavrix: --split and --restore cannot be used together"},
      {{"--split", "big.zip", "a"}, "tavrix: --split takes no SOURCE and DRIVE"},
      {{"big.zip", "a", "--restore"}, "tavrix: --restore takes no SOURCE and DRIVE"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(Parse(c.argv, &error)) << c.message;
    if (c.message.back() == '*') {
      std::string prefix = c.message.substr(0, c.message.size() - 1);
      EXPECT_EQ(error.substr(0, prefix.size()), prefix);
      EXPECT_GT(error.size(), prefix.size());
    } else {
      EXPECT_EQ(error, c.message);
    }
  }
}

TEST(UsageText, CoversEveryOption) {
  std::string usage = UsageText();
  for (const char* word : {"Usage: tavrix [OPTION]... [SOURCE DRIVE]", "--drive L=DIR",
                           "type=", "geometry=", "360k", "720k", "1.2m", "1.44m", "--console",
                           "--split", "--restore", "--help", "--version", "Exit status"}) {
    EXPECT_NE(usage.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(VersionText(), "Tavrix 1.0\n");
}

TEST(UseConsole, ByOptionAndDisplay) {
  struct Case {
    bool console;
    std::map<std::string, std::string> env;
    bool expected;
  };
  const Case cases[] = {
      {false, {}, true},
      {false, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, true},
      {false, {{"DISPLAY", ":0"}}, false},
      {false, {{"WAYLAND_DISPLAY", "wayland-0"}}, false},
      {false, {{"QT_QPA_PLATFORM", "offscreen"}}, false},
      {true, {{"DISPLAY", ":0"}}, true},
  };
  for (const Case& c : cases) {
    StartOptions o;
    o.console = c.console;
    auto env = [&](const char* name) -> const char* {
      auto it = c.env.find(name);
      return it == c.env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(UseConsole(o, env), c.expected);
  }
}

TEST(BuildDriveTable, DriveOptionsReplaceTheDefaults) {
  testing::Bench bench;
  DriveSources sources;
  sources.mount_table = bench.root + "/no-mounts";
  sources.sys_block = bench.root + "/no-block";
  sources.home = bench.c_dir;
  std::string error;
  auto o = ParseStartOptions(
      {"--drive", "a=" + bench.a_dir + ",geometry=720k", "--drive", "c=" + bench.root}, &error);
  ASSERT_TRUE(o) << error;
  DriveTable table = BuildDriveTable(*o, sources);
  ASSERT_NE(table.Find('a'), nullptr);
  EXPECT_EQ(table.Find('a')->directory, bench.a_dir);
  EXPECT_EQ(table.Find('a')->geometry->total_clusters, 713);
  ASSERT_NE(table.Find('c'), nullptr);
  EXPECT_EQ(table.Find('c')->directory, bench.root);

  DriveTable plain = BuildDriveTable(StartOptions{}, sources);
  ASSERT_NE(plain.Find('c'), nullptr);
  EXPECT_EQ(plain.Find('c')->directory, bench.c_dir);
}

TEST(ProgramFiles, HelpFileLiesNextToTheProgram) {
  EXPECT_EQ(HelpFilePath("/opt/tavrix/bin"), "/opt/tavrix/bin/TAVRIX.HLP");
  EXPECT_EQ(HelpFilePath("/opt/tavrix/bin/"), "/opt/tavrix/bin/TAVRIX.HLP");
  EXPECT_EQ(HelpFilePath("/"), "/TAVRIX.HLP");
  std::string dir = ProgramDirectory();
  EXPECT_TRUE(std::filesystem::exists(dir + "/start_options_test")) << dir;
}

}  // namespace
}  // namespace tavrix
