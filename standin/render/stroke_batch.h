// The strokes of one layer of a view (one width, one colour), drawn at a
// cost bounded by what can be seen rather than by how many strokes overlap:
// a scene of any size then costs a pass over its strokes plus a pass over
// the panel's pixels, never their product.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "draw/picture.h"
#include "render/scene_view.h"

namespace standin {

// What the strokes of one layer shorter than a pixel left in each pixel of
// a panel's plot: how many were drawn there, and the area of those merged
// into it. Kept by the panel's painter across its layers, so that it is
// allocated once per panel, not once per stroke or layer.
class PixelMarks {
 public:
  explicit PixelMarks(PixelRect plot) : plot_(plot) {}

  // True when a short stroke whose middle is `at` is to be drawn: the first
  // few in a pixel are. Points outside the plot count for the plot's
  // nearest pixel.
  bool Claim(PixelPoint at);
  // Adds a short stroke's `area` (in pixels) to the pixel under `at`.
  void Merge(PixelPoint at, double area);
  // Blends every pixel with merged area once in `colour`, by that area (at
  // most one), and forgets the layer's claims and merges.
  void Finish(Picture& panel, Rgba colour);

 private:
  uint32_t IndexOf(PixelPoint at) const;

  PixelRect plot_;
  // One entry per plot pixel, row by row, allocated at the first short
  // stroke; zero outside the pixels listed in claimed_ and merged_.
  std::vector<uint8_t> claims_;
  std::vector<float> area_;
  std::vector<uint32_t> claimed_, merged_;
};

class StrokeBatch {
 public:
  StrokeBatch(Picture& panel, PixelRect plot, float width, Rgba colour, PixelMarks& marks);
  ~StrokeBatch();
  StrokeBatch(const StrokeBatch&) = delete;
  StrokeBatch& operator=(const StrokeBatch&) = delete;

  // A stroke from `a` to `b` (picture pixels, unclipped).
  void Add(PixelPoint a, PixelPoint b);

 private:
  bool DrawnEnough(PixelPoint a, PixelPoint b);

  Picture& panel_;
  PixelRect plot_;
  float width_;
  Rgba colour_;
  PixelMarks& marks_;
  // Long strokes by their ends (in either order), with how often each was
  // drawn.
  struct EndsHash {
    size_t operator()(const std::array<double, 4>& ends) const;
  };
  std::unordered_map<std::array<double, 4>, uint8_t, EndsHash> drawn_;
};

}  // namespace standin
