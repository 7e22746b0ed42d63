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

// Screenshot tests write into the folder KORVANE_SCREENSHOT_DIR names (tests/CMakeLists.txt sets
// it under CI). Sets `out` to it; without it the test skips, or fails under CI.
#define REQUIRE_SCREENSHOT_DIR(out)                                                      \
  do {                                                                                   \
    (out) = std::getenv("KORVANE_SCREENSHOT_DIR");                                       \
    if (!(out) || !*(out)) {                                                             \
      (out) = nullptr;                                                                   \
      if (std::getenv("CI")) FAIL() << "KORVANE_SCREENSHOT_DIR is not set under CI";     \
      GTEST_SKIP() << "KORVANE_SCREENSHOT_DIR not set";                                  \
    }                                                                                    \
  } while (0)
