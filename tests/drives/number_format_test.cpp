#include "drives/number_format.h"

#include <gtest/gtest.h>

namespace tavrix {
namespace {

TEST(NumberFormat, GroupedByThousands) {
  struct Case {
    int64_t value;
    const char* grouped;
    const char* grouped_zero;
  } cases[] = {
      {0, "", "0"},
      {7, "7", "7"},
      {999, "999", "999"},
      {1000, "1,000", "1,000"},
      {51200, "51,200", "51,200"},
      {1457664, "1,457,664", "1,457,664"},
      {3000000, "3,000,000", "3,000,000"},
      // More digits than the pattern has places are all shown.
      {123456789012345LL, "123,456,789,012,345", "123,456,789,012,345"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatGrouped(c.value, ','), c.grouped) << c.value;
    EXPECT_EQ(FormatGroupedZero(c.value, ','), c.grouped_zero) << c.value;
  }
  EXPECT_EQ(FormatGrouped(1457664, '.'), "1.457.664");
}

TEST(NumberFormat, FloppyCountTwoDecimalsNoLeadingZero) {
  struct Case {
    double ratio;
    const char* text;
  } cases[] = {
      {3000000.0 / 1457664.0, "2.06"}, {0.5, ".50"}, {1.5, "1.50"},
      {0.0, ".00"},                    {12.345, "12.35"}, {0.004, ".00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloppyCount(c.ratio, '.'), c.text) << c.ratio;
  EXPECT_EQ(FormatFloppyCount(2.058, ','), "2,06");
}

}  // namespace
}  // namespace tavrix
