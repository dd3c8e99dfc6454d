// A picture in memory: 8-bit RGBA pixels, rows from the top. Bitmaps hold
// one, and each user area draws into one of its gadget's size (its canvas).
#pragma once

#include <cstdint>
#include <vector>

namespace standin {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

class Picture {
 public:
  Picture() = default;
  // A picture of this size filled with `fill`; sizes below 1 give an empty one.
  Picture(int32_t width, int32_t height, Rgba fill = {});

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  bool empty() const { return pixels_.empty(); }

  // The caller keeps 0 <= x < width and 0 <= y < height.
  Rgba& at(int32_t x, int32_t y) { return pixels_[Index(x, y)]; }
  const Rgba& at(int32_t x, int32_t y) const { return pixels_[Index(x, y)]; }
  void Fill(Rgba colour);
  // The pixels, row after row, without gaps (for encoders).
  const Rgba* data() const { return pixels_.data(); }

 private:
  std::size_t Index(int32_t x, int32_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<Rgba> pixels_;
};

// A rectangle: its top-left corner and its size.
struct PixelRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// Draws the `source` rectangle of `picture` into the `target` rectangle of
// `canvas`. Scaled, the source fills the target exactly (nearest pixel);
// unscaled, it is copied pixel for pixel from the target's corner. Only
// pixels inside both the canvas and the picture are touched, so any
// rectangle, however large or misplaced, is safe.
void DrawPicture(Picture& canvas, const Picture& picture, PixelRect source, PixelRect target, bool scaled);

}  // namespace standin
