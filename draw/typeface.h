// Text drawn with the typeface built into the program: DejaVu Sans (from
// Debian's fonts-dejavu-core, embedded at build time so that every platform
// draws the same pixels), rasterised and antialiased by stb_truetype.
#pragma once

#include <string_view>

#include "draw/picture.h"

namespace standin {

class Typeface {
 public:
  // The regular and the bold face. Built once, on first use.
  static const Typeface& Sans();
  static const Typeface& SansBold();

  // `size` is the em size in pixels (13 is a dialog's text). Texts are UTF-8;
  // a byte sequence that is not UTF-8 is drawn as U+FFFD.
  // How far the text advances (kerning included), in pixels.
  float Width(std::string_view text, float size) const;
  // Pixels above and below the baseline (both positive).
  float Ascent(float size) const;
  float Descent(float size) const;

  // Draws `text` with the left end of its baseline at (x, baseline), where
  // pixel (i, j) covers [i, i+1) x [j, j+1). Each pixel is blended with
  // `colour` by its coverage; nothing outside the canvas is touched.
  void Draw(Picture& canvas, std::string_view text, float x, float baseline, float size, Rgba colour) const;

  Typeface(const Typeface&) = delete;
  Typeface& operator=(const Typeface&) = delete;

 private:
  struct Face;
  explicit Typeface(const Face* face) : face_(face) {}
  const Face* face_;
};

}  // namespace standin
