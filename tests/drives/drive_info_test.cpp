// Measuring drives and the disk-information rows.
#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <filesystem>

#include "drives/disk_info.h"
#include "drives/drive_lists.h"
#include "drives/space_query.h"
#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

// A drive letter `letter` emulating a disk of `clusters` clusters of `cluster` bytes.
std::string AddDrive(Bench& bench, char letter, int64_t cluster, int64_t clusters, int type) {
  return bench.AddDrive(letter, type, Geometry{1, cluster, clusters});
}

class DriveInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bench.NewFloppy("one");
    bench.Insert("one");
  }
  MainForm& form() { return *bench.form; }
  Bench bench;
};

TEST_F(DriveInfoTest, MeasureDriveOnAHighDensityFloppy) {
  // A file of 2747 clusters leaves 100 of 2847 free.
  Bench::WriteFile(bench.a_dir + "/big", std::string(2747 * 512 - 100, 'x'));
  EXPECT_EQ(MeasureDrive(form(), "a:"), 51200);
  EXPECT_EQ(form().r.DriveClusterBytes, 512);
  EXPECT_EQ(form().r.DriveFreeBytes, 51200);
  EXPECT_EQ(TotalBytesOf(form(), "a:"), 1457664);
  // A drive-list entry and a full path measure the same root.
  EXPECT_EQ(MeasureDrive(form(), "a: [a]"), 51200);
  EXPECT_EQ(FreeBytesOf(form(), "a:\\big"), 51200);
}

TEST_F(DriveInfoTest, EmptyFilesTakeNoClusters) {
  Bench::WriteFile(bench.a_dir + "/Tx~SN235.714", "");
  Bench::WriteFile(bench.a_dir + "/one-byte", "x");
  EXPECT_EQ(MeasureDrive(form(), "a:"), (2847 - 1) * 512);
}

TEST_F(DriveInfoTest, FreeBytesOfLeavesTheSharedMeasurementAlone) {
  MeasureDrive(form(), "a:");
  int64_t cluster = form().r.DriveClusterBytes;
  int64_t free = form().r.DriveFreeBytes;
  EXPECT_GT(FreeBytesOf(form(), "c:"), 0);
  EXPECT_EQ(form().r.DriveClusterBytes, cluster);
  EXPECT_EQ(form().r.DriveFreeBytes, free);
}

TEST_F(DriveInfoTest, NoMediumMeasuresZero) {
  MeasureDrive(form(), "a:");
  bench.Eject();
  EXPECT_EQ(MeasureDrive(form(), "a:"), 0);
  EXPECT_EQ(form().r.DriveClusterBytes, 0);
  EXPECT_EQ(form().r.DriveFreeBytes, 0);
  EXPECT_EQ(TotalBytesOf(form(), "a:"), 0);
  EXPECT_EQ(FreeBytesOf(form(), "a:"), 0);
}

TEST_F(DriveInfoTest, LargeDisksKeepTheirFigures) {
  // 4 TiB free: far beyond 32 bits, nothing overflows.
  AddDrive(bench, 'e', 4096, int64_t{1} << 30, kDriveFixed);
  EXPECT_EQ(MeasureDrive(form(), "e:"), int64_t{1} << 42);
  EXPECT_EQ(TotalBytesOf(form(), "e:"), int64_t{1} << 42);
}

TEST_F(DriveInfoTest, Drive1ChangeFillsTheHiddenTextsAndMarksFresh) {
  Bench::WriteFile(bench.a_dir + "/big", std::string(2747 * 512, 'x'));
  SelectDrive1(form(), "a:");
  EXPECT_TRUE(form().r.DriveInfoFresh);
  EXPECT_EQ(form().r.DriveFreeClusters, 100);
  EXPECT_EQ(form().Text(StatusText::kLabel4), "51,200 bytes available.");
  EXPECT_EQ(form().Text(StatusText::kLabel5), " -> Smallest file uses 512 bytes.");
  EXPECT_EQ(form().Text(StatusText::kLabel6), "1,457,664 total bytes on disk.");
  EXPECT_GE(bench.ui.yields(), 1);
}

TEST_F(DriveInfoTest, SelectingTheShownDriveDoesNotMeasureAgain) {
  SelectDrive1(form(), "a:");
  form().r.DriveInfoFresh = false;
  SelectDrive1(form(), "a:");
  EXPECT_FALSE(form().r.DriveInfoFresh);
}

TEST_F(DriveInfoTest, SelectingADriveWithoutMediumRaises68) {
  bench.Eject();
  try {
    SelectDrive1(form(), "a:");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kDeviceUnavailable);
  }
  EXPECT_EQ(form().Drive1.drive, "c:");
}

TEST_F(DriveInfoTest, FullDriveShowsNothingBeforeBytesAvailable) {
  AddDrive(bench, 'f', 512, 0, kDriveFixed);
  SelectDrive1(form(), "f:");
  EXPECT_EQ(form().Text(StatusText::kLabel4), " bytes available.");
}

TEST(FloppyClass, ByCapacityInTestOrder) {
  struct Case {
    int64_t capacity;
    const char* text;  // nullptr: no class
    Picture picture;
  } cases[] = {
      {1457664, "1.44MB Floppy = you will need ", Picture::kThreeFloppies},
      {730112, "720KB Floppy = you will need ", Picture::kThreeFloppies},
      {362496, "360KB Floppy = you will need ", Picture::kFiveFloppies},
      {1213952, "1.2MB Floppy = you will need ", Picture::kFiveFloppies},
      {950000, "360KB Floppy = you will need ", Picture::kFiveFloppies},
      {300000, nullptr, Picture::kNone},
      {1000000, nullptr, Picture::kNone},
      {1400000, nullptr, Picture::kNone},
      {0, nullptr, Picture::kNone},
  };
  for (const auto& c : cases) {
    auto cls = FloppyClassOf(c.capacity);
    if (c.text == nullptr) {
      EXPECT_FALSE(cls.has_value()) << c.capacity;
    } else {
      ASSERT_TRUE(cls.has_value()) << c.capacity;
      EXPECT_STREQ(cls->text, c.text);
      EXPECT_EQ(cls->picture, c.picture);
    }
  }
}

TEST_F(DriveInfoTest, FloppyEstimateInSplitMode) {
  struct Case {
    int64_t cluster, clusters, source;
    const char* text;  // "" when nothing changes
  } cases[] = {
      {512, 2847, 3000000, "1.44MB Floppy = you will need 2.06 floppies."},
      {512, 2847, 728832, "1.44MB Floppy = you will need .50 floppies."},
      {64, 15625, 3000000, ""},  // capacity 1,000,000
      {64, 21875, 3000000, ""},  // capacity 1,400,000
      {512, 0, 3000000, ""},     // capacity 0
  };
  for (const auto& c : cases) {
    AddDrive(bench, 'b', c.cluster, c.clusters, kDriveRemovable);
    form().r.DialogMode = 1;
    form().r.SourceSize = c.source;
    form().SetText(StatusText::kReadDisplayLbl, "");
    form().w.read_from_device_pic = Picture::kNone;
    FloppyEstimate(form(), "b:");
    EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl), c.text) << c.clusters;
    EXPECT_EQ(form().w.read_from_device_pic,
              std::string(c.text).empty() ? Picture::kNone : Picture::kThreeFloppies);
  }
}

TEST_F(DriveInfoTest, FloppyEstimateInRestoreModeOnlyChangesThePicture) {
  form().r.DialogMode = 2;
  form().r.SourceSize = 3000000;
  form().SetText(StatusText::kReadDisplayLbl, "Reading 1,000 bytes.");
  FloppyEstimate(form(), "a:");
  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl), "Reading 1,000 bytes.");
  EXPECT_EQ(form().w.read_from_device_pic, Picture::kThreeFloppies);
}

TEST_F(DriveInfoTest, SourceDisplayNamesTheMappedDriveOfAHostPath) {
  AddDrive(bench, 'c', 512, 10000, kDriveFixed);  // c: now a fixed disk of known space
  std::string source = bench.root + "/c/big.zip";
  Bench::WriteFile(source, std::string(3000, 'x'));
  form().r.SourceFile = source;
  form().r.SourceSize = 3000;
  SourceDisplay(form());
  EXPECT_EQ(form().Text(StatusText::kSizeLbl), "File is 3,000 bytes.");
  EXPECT_EQ(form().Text(StatusText::kWriteDisplayLbl), "Space on c:\\ is 5,116,928 bytes.");
  EXPECT_TRUE(form().w.write_to_device_pic_visible);
  EXPECT_EQ(form().w.write_to_device_pic, Picture::kHardDisk);
}

TEST_F(DriveInfoTest, TargetSpaceDisplayAndTheHardDiskRowRule) {
  AddDrive(bench, 'f', 512, 0, kDriveFixed);
  TargetSpaceDisplay(form(), "f:");
  EXPECT_EQ(form().Text(StatusText::kWriteDisplayLbl), "Space on F: is 0 bytes.");
  EXPECT_EQ(form().w.write_to_device_pic, Picture::kHardDisk);

  AddDrive(bench, 'g', 2048, 100, kDriveCdrom);
  TargetSpaceDisplay(form(), "g:");
  EXPECT_EQ(form().Text(StatusText::kWriteDisplayLbl), "Space on G: is 204,800 bytes.");
  EXPECT_EQ(form().w.write_to_device_pic, Picture::kCdRom);
  // A fixed disk afterwards leaves the compact disc standing.
  TargetSpaceDisplay(form(), "f:");
  EXPECT_EQ(form().w.write_to_device_pic, Picture::kCdRom);
  TargetSpaceDisplay(form(), "a:");
  EXPECT_EQ(form().w.write_to_device_pic, Picture::kThreeFloppies);
}

TEST_F(DriveInfoTest, DriveListEntriesInLetterOrder) {
  auto entries = DriveListEntries(form());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], "a: [a]");
  EXPECT_EQ(entries[1], "c: [home]");
}

TEST_F(DriveInfoTest, StartupShowsTheDriveHoldingTheWorkingDirectoryElseC) {
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  struct Case {
    std::string dir;
    const char* drive;
  } cases[] = {
      {bench.a_dir, "a:"}, {bench.c_dir, "c:"}, {bench.root, "c:"},  // on no drive of the table
  };
  for (const auto& c : cases) {
    ASSERT_EQ(::chdir(c.dir.c_str()), 0);
    std::string drive = StartupDrive(form());
    ASSERT_EQ(::chdir(cwd), 0);
    EXPECT_EQ(drive, c.drive) << c.dir;
  }
}

// With no locale set, "," groups thousands and "." marks decimals.
TEST_F(DriveInfoTest, NumberSeparatorsWithNoLocaleSet) {
  ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  MainForm fresh(*bench.platform, bench.ui);
  EXPECT_EQ(fresh.thousands_sep, ',');
  EXPECT_EQ(fresh.decimal_point, '.');
}

TEST_F(DriveInfoTest, PointFile1ListsPlainFilesInNameOrder) {
  Bench::WriteFile(bench.a_dir + "/Tx~SN235.714", "");
  Bench::WriteFile(bench.a_dir + "/tx~2.3", "ab");
  Bench::WriteFile(bench.a_dir + "/.hidden", "x");
  Bench::WriteFile(bench.a_dir + "/Tx~ctl.dat", "x");
  std::filesystem::create_directories(bench.a_dir + "/folder");
  PointFile1(form(), "a:");
  EXPECT_EQ(form().File1.path, "a:\\");
  EXPECT_EQ(form().File1.names, (std::vector<std::string>{"tx~2.3", "Tx~ctl.dat", "Tx~SN235.714"}));
  bench.Eject();
  EXPECT_THROW(RereadFile1(form()), Error);
}

}  // namespace
}  // namespace tavrix
