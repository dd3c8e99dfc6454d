// A tiny built-in bitmap font: glyphs of 5 x 7 cells, drawn as squares of
// `scale` pixels so that the pictures need no font files.
#pragma once

#include <string_view>

#include "image.h"

namespace pictures {

inline constexpr int kGlyphColumns = 5;
inline constexpr int kGlyphRows = 7;
// One empty column separates neighbouring glyphs.
inline constexpr int kGlyphAdvance = kGlyphColumns + 1;

// Whether cell (column, row) of the glyph for `c` is set; characters the
// font lacks are drawn as a question mark.
bool glyphCell(char c, int column, int row);

// Width in pixels of `text` drawn at `scale`, without the trailing gap.
int textWidth(std::string_view text, int scale);

// Draws `text` with its top-left corner at (x, y).
void drawText(Image& image, int x, int y, int scale, std::string_view text, Rgb colour, double alpha = 1.0);

// Draws `text` upside down below the line y = axisY, as if reflected in a
// floor there, fading from `alpha` at the line to nothing `depth` pixels below.
void drawTextReflection(Image& image, int x, int axisY, int scale, std::string_view text, Rgb colour,
                        double alpha, int depth);

}  // namespace pictures
