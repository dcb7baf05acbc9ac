#include "format/number_text.h"

#include <gtest/gtest.h>

namespace tavrix {
namespace {

TEST(NumberText, LeadingBlankUnlessNegative) {
  EXPECT_EQ(Str(5), " 5");
  EXPECT_EQ(Str(0), " 0");
  EXPECT_EQ(Str(-3), "-3");
  EXPECT_EQ(Str(3000000000LL), " 3000000000");
  EXPECT_EQ(StrNoBlank(42), "42");
}

TEST(NumberText, LeadingNumberReadsDigitsAfterBlanks) {
  struct Case {
    const char* text;
    int64_t limit;
    int64_t value;
    bool overflow;
  } cases[] = {
      {" 3", 32767, 3, false},          {"  3000000", 2147483647, 3000000, false},
      {"12abc", 32767, 12, false},      {"abc", 32767, 0, false},
      {"", 32767, 0, false},            {"32768", 32767, 0, true},
      {"2147483647", 2147483647, 2147483647, false}, {"2147483648", 2147483647, 0, true},
      {"-5", 32767, 0, false},
  };
  for (const auto& c : cases) {
    bool overflow = false;
    EXPECT_EQ(LeadingNumber(c.text, c.limit, &overflow), c.value) << c.text;
    EXPECT_EQ(overflow, c.overflow) << c.text;
  }
}

}  // namespace
}  // namespace tavrix
