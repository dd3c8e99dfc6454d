// Glyph outlines from stb_truetype, turned into edges for the coverage
// raster: curves are flattened finely enough that the straight pieces stay
// within a twentieth of a pixel of them.
#pragma once

#include <stb/stb_truetype.h>

#include "draw/coverage_raster.h"

namespace standin {

// Adds the outline of `glyph` at `scale` pixels per font unit, its origin at
// (origin_x, origin_y) in the raster's pixels (y grows downwards there, up
// in the font).
void AddGlyphOutline(CoverageRaster& raster, const stbtt_fontinfo& font, int glyph, double scale,
                     double origin_x, double origin_y);

}  // namespace standin
