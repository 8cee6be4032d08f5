#pragma once

// The DPI policy's arithmetic, free of the system: every window scales its 96-dpi design this way.
namespace skimdex {

// A length of the 96-dpi design at `dpi`, rounded to the nearest pixel (halves away from zero).
int ScaleForDpi(int length, int dpi);

// The largest glyph size drawn (16, 24 or 32) that fits the design's 16 pixels scaled to `dpi`;
// glyphs are always drawn at a drawn size, never stretched, so they stay crisp.
int GlyphSizeFor(int dpi);

}  // namespace skimdex
