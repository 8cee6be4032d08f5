#include <gtest/gtest.h>

#include "ui/dpi_rules.h"

namespace skimdex {
namespace {

TEST(ScaleForDpi, RoundsHalvesAwayFromZero) {
  const struct {
    int length, dpi, scaled;
  } cases[] = {
      {215, 96, 215}, {215, 144, 323}, {252, 144, 378}, {1, 144, 2},   {-12, 144, -18},
      {-1, 144, -2},  {25, 120, 31},   {0, 192, 0},     {16, 192, 32}, {33, 120, 41},
  };
  for (const auto& c : cases) EXPECT_EQ(ScaleForDpi(c.length, c.dpi), c.scaled) << c.length << "@" << c.dpi;
}

TEST(GlyphSizeFor, NeverDrawsAGlyphLargerThanTheScaledDesign) {
  for (int dpi = 48; dpi <= 384; dpi += 8) {
    const int size = GlyphSizeFor(dpi);
    EXPECT_TRUE(size == 16 || size <= ScaleForDpi(16, dpi)) << dpi;
  }
  EXPECT_EQ(GlyphSizeFor(96), 16);
  EXPECT_EQ(GlyphSizeFor(144), 24);
}

}  // namespace
}  // namespace skimdex
