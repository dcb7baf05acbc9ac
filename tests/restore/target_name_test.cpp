#include "restore/target_name.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

TEST(SafeFileName, KeepsThePlainNameAndRefusesWhatCouldEscapeOrClash) {
  struct Case {
    const char* recorded;
    const char* name;
  } cases[] = {
      {"C:\\DATA\\BIG.ZIP", "BIG.ZIP"},
      {"big.zip", "big.zip"},
      {"/home/ann/photos 1996.tar", "photos 1996.tar"},
      {"..\\..\\x", "x"},
      {"/etc/x", "x"},
      {"a:x", "x"},
      {"c:\\", ""},
      {"x:", ""},
      {"", ""},
      {"..", ""},
      {"C:\\DATA\\..", ""},
      {".profile", ""},
      {"/home/ann/.bashrc", ""},
      {"bad\x01name", ""},
      {"bad\x7fname", ""},
      {"line\r\nbreak", ""},
      {"Tx~Start.OK", ""},
      {"C:\\TX~START.OK", ""},
      {"Tx~Hold.3", ""},
      {"tx~hold.12", ""},
      {"Tx~Hold.", "Tx~Hold."},
      {"Tx~Hold.3a", "Tx~Hold.3a"},
      {"Tx~Start.OK.bak", "Tx~Start.OK.bak"},
      {"Tx~1.2", "Tx~1.2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SafeFileName(c.recorded), c.name) << "recorded: " << c.recorded;
  }
}

TEST(PlaceOriginalName, PlacesTheNameInTheTargetsTopDirectory) {
  Bench b;
  auto& r = b.form->r;
  for (const char* target : {"c:\\", "c:"}) {
    r.TargetDrive = target;
    EXPECT_EQ(PlaceOriginalName(*b.form, "C:\\DATA\\BIG.ZIP"), "c:\\BIG.ZIP") << target;
    EXPECT_EQ(PlaceOriginalName(*b.form, "..\\..\\x"), "c:\\x") << target;
    EXPECT_EQ(PlaceOriginalName(*b.form, ".profile"), "") << target;
    EXPECT_EQ(PlaceOriginalName(*b.form, "Tx~Hold.3"), "") << target;
  }
}

TEST(PlaceOriginalName, KeepsTheRecordedNameWhileNoTargetIsChosen) {
  Bench b;
  auto& r = b.form->r;
  r.TargetDrive = "";
  EXPECT_EQ(PlaceOriginalName(*b.form, "C:\\DATA\\BIG.ZIP"), "C:\\DATA\\BIG.ZIP");
  EXPECT_EQ(PlaceOriginalName(*b.form, ".profile"), ".profile");
}

TEST(NameTaken, CountsFilesAndDirectories) {
  Bench b;
  Bench::WriteFile(b.c_dir + "/file", "x");
  std::filesystem::create_directory(b.c_dir + "/dir");
  EXPECT_TRUE(NameTaken(*b.form, "c:\\file"));
  EXPECT_TRUE(NameTaken(*b.form, "c:\\dir"));
  EXPECT_FALSE(NameTaken(*b.form, "c:\\none"));
}

}  // namespace
}  // namespace tavrix
