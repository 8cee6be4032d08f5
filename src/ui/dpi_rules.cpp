#include "ui/dpi_rules.h"

#include <initializer_list>

namespace skimdex {

int ScaleForDpi(int length, int dpi) {
  const long long scaled = static_cast<long long>(length) * dpi;
  const long long half = scaled < 0 ? -48 : 48;
  return static_cast<int>((scaled + half) / 96);
}

int GlyphSizeFor(int dpi) {
  const int wanted = ScaleForDpi(16, dpi);
  for (const int size : {32, 24}) {
    if (size <= wanted) return size;
  }
  return 16;
}

}  // namespace skimdex
