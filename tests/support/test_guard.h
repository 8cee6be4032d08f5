#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

// Tests that change the current user's registry or drive windows run only in the project's own Wine
// prefix, which scripts/wine-env.sh marks with SKIMDEX_TEST_PREFIX=1.
#define SKIMDEX_REQUIRE_TEST_PREFIX()                                                   \
  do {                                                                                  \
    const char* marked = std::getenv("SKIMDEX_TEST_PREFIX");                            \
    if (marked == nullptr || std::string_view(marked) != "1") {                         \
      GTEST_SKIP() << "runs only in the project's Wine prefix (SKIMDEX_TEST_PREFIX=1)"; \
    }                                                                                   \
  } while (false)
