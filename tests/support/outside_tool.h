// Tests that check our output with an outside reader (zbarimg, pdftoppm, PIL, ...) get the tool
// from scripts/setup.sh. Outside CI a missing tool skips the check; under CI (the environment
// variable CI set) it fails the test, so a set-up that lost a package cannot pass unnoticed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

// Use at the top of a test body: returns from the test when `have` is false.
#define REQUIRE_OUTSIDE_TOOL(have, what)                                              \
  do {                                                                                \
    if (!(have)) {                                                                    \
      if (std::getenv("CI")) FAIL() << what << " is not installed (scripts/setup.sh)"; \
      GTEST_SKIP() << what << " is not installed: the outside check is skipped";      \
    }                                                                                 \
  } while (0)
