#include "format/piece_name.h"

#include <gtest/gtest.h>

namespace tavrix {
namespace {

TEST(PieceName, NamesByNumberAndLastFlag) {
  struct Case {
    int number;
    int last;
    const char* name;
  } cases[] = {
      {1, -1, "Tx~1.0"},   {3, 0, "Tx~3.4"},     {1, 2, "Tx~1.2"},
      {0, -1, "NOT VALID"}, {0, 0, "NOT VALID"}, {999, 0, "Tx~999.1000"},
      {1000, -1, "Tx~1000.0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PieceName(c.number, c.last), c.name) << c.number << " " << c.last;
  }
}

}  // namespace
}  // namespace tavrix
