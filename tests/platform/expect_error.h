// Checks that a statement raises the numbered Error `expected`.
#pragma once

#include <gtest/gtest.h>

#include "platform/error.h"

#define EXPECT_ERROR(statement, expected)                                   \
  do {                                                                      \
    try {                                                                   \
      statement;                                                            \
      ADD_FAILURE() << #statement " raised nothing";                        \
    } catch (const ::tavrix::Error& e) {                                    \
      EXPECT_EQ(e.number(), expected) << #statement " raised " << e.what(); \
    }                                                                       \
  } while (false)
