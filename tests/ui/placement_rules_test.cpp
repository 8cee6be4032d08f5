#include <gtest/gtest.h>

#include "ui/placement_rules.h"

namespace skimdex {
namespace {

// The screen 0..1024 x 0..768; the design 215 x 252.
TEST(FittedInto, KeepsTheSizeAndComesAsCloseAsFits) {
  const ScreenBox screen{0, 0, 1024, 768}, designed{0, 0, 215, 252};
  const struct {
    ScreenBox stored, fitted;
  } cases[] = {
      {{5000, 3000, 300, 200}, {724, 568, 300, 200}}, {{-900, -50, 300, 200}, {0, 0, 300, 200}},
      {{100, 900, 300, 200}, {100, 568, 300, 200}},   {{10, 10, 2000, 1000}, {0, 0, 1024, 768}},
      {{5000, 3000, 0, -4}, {809, 516, 215, 252}},    {{50, 60, 300, 200}, {50, 60, 300, 200}},
  };
  for (const auto& c : cases) {
    const ScreenBox fitted = FittedInto(c.stored, screen, designed);
    EXPECT_EQ(fitted, c.fitted) << c.stored.left << "," << c.stored.top << " " << fitted.left << ","
                                << fitted.top << " " << fitted.width << "x" << fitted.height;
  }
}

// A dialog's owner on a second monitor, right of or above the first, or on one with a taskbar at its
// top: the dialog's middle is the middle of that monitor's work area.
TEST(CentredIn, PutsTheMiddleOnTheMiddleOfTheOwnersWorkArea) {
  const struct {
    ScreenBox area, centred;
  } cases[] = {
      {{0, 0, 1024, 768}, {412, 259, 200, 250}},        {{1024, 0, 1280, 1024}, {1564, 387, 200, 250}},
      {{0, -900, 1600, 900}, {700, -575, 200, 250}},    {{0, 40, 1024, 728}, {412, 279, 200, 250}},
      {{-1920, 0, 1920, 1080}, {-1060, 415, 200, 250}}, {{0, 0, 101, 101}, {-49, -74, 200, 250}},
  };
  for (const auto& c : cases) {
    const ScreenBox centred = CentredIn({5, 5, 200, 250}, c.area);
    EXPECT_EQ(centred, c.centred) << c.area.left << "," << c.area.top << " " << centred.left << ","
                                  << centred.top;
  }
}

}  // namespace
}  // namespace skimdex
