#include "render/stroke_batch.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <tuple>

#include "draw/blend.h"
#include "draw/shapes.h"

namespace standin {
namespace {

// A stroke at least this long (in pixels) is looked up among the strokes
// already drawn; a shorter one costs a few pixels, less than the lookup's
// memory would.
constexpr double kLongStroke = 8;
// How often the same long stroke is drawn, and how many strokes shorter
// than a pixel are drawn in one pixel, before further ones are left out or
// merged: further passes over the same pixels barely change them and would
// cost a pass each. Enough that ordinary scenes look as they always did: a
// side two polygons share is drawn twice, the sides of a box's front and
// back faces fall on one line in a view, and a curve's pieces crowd where
// it turns back.
constexpr uint8_t kLongTimesDrawn = 8;
constexpr uint8_t kShortTimesDrawn = 4;

}  // namespace

uint32_t PixelMarks::IndexOf(PixelPoint at) const {
  const double x = std::clamp(std::floor(at[0]) - plot_.x, 0.0, plot_.width - 1.0);
  const double y = std::clamp(std::floor(at[1]) - plot_.y, 0.0, plot_.height - 1.0);
  return static_cast<uint32_t>(y) * static_cast<uint32_t>(plot_.width) + static_cast<uint32_t>(x);
}

bool PixelMarks::Claim(PixelPoint at) {
  if (claims_.empty())
    claims_.assign(static_cast<size_t>(plot_.width) * static_cast<size_t>(plot_.height), 0);
  const uint32_t index = IndexOf(at);
  if (claims_[index] >= kShortTimesDrawn) return false;
  if (claims_[index]++ == 0) claimed_.push_back(index);
  return true;
}

void PixelMarks::Merge(PixelPoint at, double area) {
  if (!(area > 0)) return;
  if (area_.empty()) area_.assign(static_cast<size_t>(plot_.width) * static_cast<size_t>(plot_.height), 0.0f);
  const uint32_t index = IndexOf(at);
  if (area_[index] == 0.0f) merged_.push_back(index);
  area_[index] = std::min(1.0f, area_[index] + static_cast<float>(area));
}

void PixelMarks::Finish(Picture& panel, Rgba colour) {
  const auto width = static_cast<uint32_t>(plot_.width);
  for (const uint32_t index : merged_) {
    BlendPixel(panel, plot_.x + static_cast<int32_t>(index % width),
               plot_.y + static_cast<int32_t>(index / width), colour, area_[index]);
    area_[index] = 0.0f;
  }
  for (const uint32_t index : claimed_) claims_[index] = 0;
  merged_.clear();
  claimed_.clear();
}

size_t StrokeBatch::EndsHash::operator()(const std::array<double, 4>& ends) const {
  uint64_t hash = 1469598103934665603ull;
  // Adding zero turns -0 into 0, so that ends equal as numbers hash alike.
  for (const double value : ends) hash = (hash ^ std::bit_cast<uint64_t>(value + 0.0)) * 1099511628211ull;
  return static_cast<size_t>(hash ^ (hash >> 29));
}

StrokeBatch::StrokeBatch(Picture& panel, PixelRect plot, float width, Rgba colour, PixelMarks& marks)
    : panel_(panel), plot_(plot), width_(width), colour_(colour), marks_(marks) {}

// Merged strokes are blended after the layer's drawn ones, each pixel once,
// however many fell in it.
StrokeBatch::~StrokeBatch() { marks_.Finish(panel_, colour_); }

void StrokeBatch::Add(PixelPoint a, PixelPoint b) {
  const double full_length = std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]));
  if (full_length >= kLongStroke && DrawnEnough(a, b)) return;
  if (!ClipSegment(a, b, plot_, 2)) return;
  const double length = std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]));
  if (!(length > 0)) return;  // no direction, so nothing to draw
  // Strokes shorter than a pixel cost a raster pass each however little
  // they show: past the first few in a pixel they only add to its colour.
  const PixelPoint middle = {(a[0] + b[0]) / 2, (a[1] + b[1]) / 2};
  if (length < 1 && !marks_.Claim(middle)) {
    marks_.Merge(middle, length * width_);
    return;
  }
  DrawLine(panel_, {static_cast<float>(a[0]), static_cast<float>(a[1])},
           {static_cast<float>(b[0]), static_cast<float>(b[1])}, width_, colour_);
}

// True when the stroke from `a` to `b` (or from `b` to `a`) was drawn as
// often as a stroke is; counts this one otherwise.
bool StrokeBatch::DrawnEnough(PixelPoint a, PixelPoint b) {
  if (std::tie(b[0], b[1]) < std::tie(a[0], a[1])) std::swap(a, b);
  uint8_t& times = drawn_[{a[0], a[1], b[0], b[1]}];
  if (times >= kLongTimesDrawn) return true;
  ++times;
  return false;
}

}  // namespace standin
