#include "format/serial_number.h"

#include <gtest/gtest.h>

#include <regex>

#include "restore/main_form.h"
#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

SerialClock ClockAt(int month, int day, std::vector<double> draws) {
  SerialClock c;
  c.now = [month, day] {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
  };
  auto next = std::make_shared<size_t>(0);
  c.random = [draws, next] { return draws[(*next)++ % draws.size()]; };
  return c;
}

TEST(MakeSerial, MonthAndDayDigitsThenRandomDigits) {
  struct Case {
    int month, day;
    std::vector<double> draws;
    const char* serial;
  } cases[] = {
      {2, 13, {0.51, 0.76, 0.01, 0.40}, "235.714"},
      {10, 10, {0.0, 0.0, 0.0, 0.0}, "001.111"},
      {12, 31, {0.999999, 0.875, 0.874999, 0.125}, "218.872"},
      {11, 9, {0.5, 0.5, 0.5, 0.5}, "195.555"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MakeSerial(ClockAt(c.month, c.day, c.draws)), c.serial) << c.month << "/" << c.day;
  }
}

TEST(MakeSerial, SystemGeneratorGivesOnlyDigitsOneToEight) {
  SerialClock clock = SystemSerialClock();
  const std::regex shape("[0-9][0-9][1-8]\\.[1-8][1-8][1-8]");
  std::set<char> seen;
  for (int i = 0; i < 2000; ++i) {
    std::string s = MakeSerial(clock);
    ASSERT_TRUE(std::regex_match(s, shape)) << s;
    seen.insert(s[2]);
    seen.insert(s[4]);
  }
  EXPECT_EQ(seen.size(), 8u) << "every digit 1..8 appears";
}

class SerialFileExistsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bench.NewFloppy("one");
    bench.Insert("one");
    bench.form->Drive1.drive = "a:";
    bench.form->r.SerialNumber = "235.714";
  }
  Bench bench;
};

TEST_F(SerialFileExistsTest, FindsThisSetsMarkerIgnoringCase) {
  EXPECT_FALSE(SerialFileExists(*bench.form));
  Bench::WriteFile(bench.a_dir + "/TX~SN235.714", "");
  EXPECT_TRUE(SerialFileExists(*bench.form));
  EXPECT_TRUE(bench.ui.transcript().empty());
}

TEST_F(SerialFileExistsTest, AnotherSetsMarkerIsNotThisSet) {
  Bench::WriteFile(bench.a_dir + "/Tx~SN235.715", "");
  EXPECT_FALSE(SerialFileExists(*bench.form));
}

TEST_F(SerialFileExistsTest, DriveNotReadyIsReportedAndCountsAsNotUsed) {
  bench.Eject();
  bench.ui.Msg(kAnswerOk);
  EXPECT_FALSE(SerialFileExists(*bench.form));
  ASSERT_EQ(bench.ui.messages().size(), 1u);
  EXPECT_EQ(bench.ui.messages()[0].text, "Error  68 :Device unavailable");
  EXPECT_EQ(bench.ui.messages()[0].title, "error");
  EXPECT_EQ(bench.ui.messages()[0].style, 16);
}

}  // namespace
}  // namespace tavrix
