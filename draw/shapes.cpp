#include "draw/shapes.h"

#include <algorithm>
#include <cmath>

#include "draw/blend.h"
#include "draw/coverage_raster.h"

namespace standin {

namespace {

bool Finite(PointF p) { return std::isfinite(p[0]) && std::isfinite(p[1]); }

bool AllFinite(std::span<const PointF> points) { return std::all_of(points.begin(), points.end(), Finite); }

struct Point {
  double x, y;
};

// Whole-pixel rectangle [x0, x1) x [y0, y1), clipped, blended.
void FillSpan(Picture& canvas, int64_t x0, int64_t y0, int64_t x1, int64_t y1, Rgba colour) {
  x0 = std::max<int64_t>(x0, 0);
  y0 = std::max<int64_t>(y0, 0);
  x1 = std::min<int64_t>(x1, canvas.width());
  y1 = std::min<int64_t>(y1, canvas.height());
  for (int64_t y = y0; y < y1; ++y) {
    for (int64_t x = x0; x < x1; ++x) {
      BlendOver(canvas.at(static_cast<int32_t>(x), static_cast<int32_t>(y)), colour, colour.a);
    }
  }
}

// One raster per thread, reused: drawing many small shapes allocates only
// while the raster grows.
CoverageRaster& Raster(const Picture& canvas) {
  thread_local CoverageRaster raster;
  raster.Reset(canvas.width(), canvas.height());
  return raster;
}

// Adds a closed outline turning the same way as every other outline of the
// shape, so that where parts overlap their coverage adds up instead of
// cancelling.
void AddOutline(CoverageRaster& raster, const Point* points, std::size_t count) {
  double twice_area = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const Point& a = points[i];
    const Point& b = points[(i + 1) % count];
    twice_area += a.x * b.y - b.x * a.y;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const Point& a = points[i];
    const Point& b = points[(i + 1) % count];
    if (twice_area > 0.0) {
      raster.AddEdge(b.x, b.y, a.x, a.y);
    } else {
      raster.AddEdge(a.x, a.y, b.x, b.y);
    }
  }
}

// Moves whichever end of the segment lies below `low` along coordinate
// `axis` onto it, or the one above `high`. False when both lie beyond the
// same side. The moved end is found from the end that stays, by the
// segment's slope, so that a line far longer than the canvas keeps its
// position across it (a level line stays exactly level).
bool ClipAxis(Point& a, Point& b, double low, double high, bool vertical) {
  const auto along = [vertical](const Point& p) { return vertical ? p.y : p.x; };
  const auto across = [vertical](const Point& p) { return vertical ? p.x : p.y; };
  const auto make = [vertical](double on, double off) { return vertical ? Point{off, on} : Point{on, off}; };
  for (const double bound : {low, high}) {
    const bool a_out = bound == low ? along(a) < bound : along(a) > bound;
    const bool b_out = bound == low ? along(b) < bound : along(b) > bound;
    if (a_out && b_out) return false;
    if (!a_out && !b_out) continue;
    Point& moved = a_out ? a : b;
    const Point& kept = a_out ? b : a;
    const double slope = (across(moved) - across(kept)) / (along(moved) - along(kept));
    moved = make(bound, across(kept) + (bound - along(kept)) * slope);
  }
  return true;
}

// Clips the segment to the canvas grown by `margin` on every side. Past
// that margin a stroke is invisible, and what remains has coordinates small
// enough to keep their precision. False when nothing is left.
bool ClipSegment(const Picture& canvas, double margin, Point& a, Point& b) {
  return ClipAxis(a, b, -margin, canvas.width() + margin, false) &&
         ClipAxis(a, b, -margin, canvas.height() + margin, true);
}

// The rectangle of a stroke from `a` to `b`, `half` pixels either side.
void AddStroke(CoverageRaster& raster, Point a, Point b, double half) {
  const double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
  if (!(length > 0.0)) return;
  const double nx = -(b.y - a.y) / length * half;
  const double ny = (b.x - a.x) / length * half;
  const Point corners[4] = {
      {a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
  AddOutline(raster, corners, 4);
}

// Fills the wedge on the outer side of the bend at `at` between a stroke
// arriving along unit direction `in` and one leaving along `out`: a mitre
// up to twice the half width long, else a bevel.
void AddJoin(CoverageRaster& raster, Point at, Point in, Point out, double half) {
  const double turn = in.x * out.y - in.y * out.x;
  if (turn == 0.0) return;  // straight on, or straight back: no gap
  const double side = turn > 0.0 ? -half : half;
  const Point n1{-in.y * side, in.x * side};
  const Point n2{-out.y * side, out.x * side};
  const Point o1{at.x + n1.x, at.y + n1.y};
  const Point o2{at.x + n2.x, at.y + n2.y};
  const Point sum{n1.x + n2.x, n1.y + n2.y};
  const double along = sum.x * n1.x + sum.y * n1.y;  // half^2 (1 + cos bend)
  constexpr double kMitreLimit = 2.0;
  if (along > 0.0) {
    const double scale = half * half / along;
    const Point mitre{at.x + sum.x * scale, at.y + sum.y * scale};
    const double reach2 = (sum.x * sum.x + sum.y * sum.y) * scale * scale;
    if (reach2 <= kMitreLimit * kMitreLimit * half * half) {
      const Point wedge[4] = {at, o1, mitre, o2};
      AddOutline(raster, wedge, 4);
      return;
    }
  }
  const Point wedge[3] = {at, o1, o2};
  AddOutline(raster, wedge, 3);
}

Point Direction(Point a, Point b) {
  const double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
  return {(b.x - a.x) / length, (b.y - a.y) / length};
}

// The share of pixel interval [i, i+1) that [lo, hi) covers.
double Overlap(double i, double lo, double hi) {
  return std::clamp(std::min(i + 1.0, hi) - std::max(i, lo), 0.0, 1.0);
}

// Rows [first, end) of the canvas that the interval [lo, hi) reaches.
void PixelRange(double lo, double hi, int32_t size, int32_t& first, int32_t& end) {
  first = static_cast<int32_t>(std::clamp(std::floor(lo), 0.0, static_cast<double>(size)));
  end = static_cast<int32_t>(std::clamp(std::ceil(hi), 0.0, static_cast<double>(size)));
}

// A disc of radius `outer`, less a disc of radius `inner` when that is
// positive. A pixel's coverage is taken from its centre's distance to the
// rim, with one pixel of softening.
void FillRing(Picture& canvas, double cx, double cy, double outer, double inner, Rgba colour) {
  if (!(outer > 0.0) || colour.a == 0) return;
  // A disc smaller than a pixel covers at most its own area.
  const double small = std::min(1.0, 3.14159265358979 * outer * outer / (outer + 0.5));
  const double reach = outer + 0.5;
  int32_t y_first = 0;
  int32_t y_end = 0;
  PixelRange(cy - reach, cy + reach, canvas.height(), y_first, y_end);
  for (int32_t y = y_first; y < y_end; ++y) {
    const double dy = y + 0.5 - cy;
    const double spread2 = reach * reach - dy * dy;
    if (spread2 <= 0.0) continue;
    const double spread = std::sqrt(spread2);
    int32_t x_first = 0;
    int32_t x_end = 0;
    PixelRange(cx - spread - 0.5, cx + spread - 0.5 + 1.0, canvas.width(), x_first, x_end);
    // Pixels whose centres lie well inside the hole are skipped.
    const double hole = inner - 0.5;
    double hole_lo = 0.0;
    double hole_hi = -1.0;
    if (hole > 0.0 && hole * hole > dy * dy) {
      const double hole_spread = std::sqrt(hole * hole - dy * dy);
      hole_lo = cx - hole_spread;
      hole_hi = cx + hole_spread;
    }
    for (int32_t x = x_first; x < x_end; ++x) {
      const double px = x + 0.5;
      if (px > hole_lo && px < hole_hi) {
        x = std::max(x, static_cast<int32_t>(std::min(std::floor(hole_hi - 0.5), x_end - 1.0)));
        continue;
      }
      const double dx = px - cx;
      const double distance = std::sqrt(dx * dx + dy * dy);
      double coverage = std::clamp(outer + 0.5 - distance, 0.0, 1.0) * small;
      if (inner > 0.0) coverage -= std::clamp(inner + 0.5 - distance, 0.0, 1.0);
      BlendOver(canvas.at(x, y), colour, CoveredAlpha(colour, static_cast<float>(coverage)));
    }
  }
}

}  // namespace

void BlendPixel(Picture& canvas, int32_t x, int32_t y, Rgba colour, float coverage) {
  if (x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height()) return;
  BlendOver(canvas.at(x, y), colour, CoveredAlpha(colour, coverage));
}

void FillRect(Picture& canvas, PixelRect rect, Rgba colour) {
  if (rect.width <= 0 || rect.height <= 0) return;
  FillSpan(canvas, rect.x, rect.y, int64_t{rect.x} + rect.width, int64_t{rect.y} + rect.height, colour);
}

void FrameRect(Picture& canvas, PixelRect rect, Rgba colour, int32_t thickness) {
  if (rect.width <= 0 || rect.height <= 0 || thickness <= 0) return;
  const int64_t x0 = rect.x;
  const int64_t y0 = rect.y;
  const int64_t x1 = x0 + rect.width;
  const int64_t y1 = y0 + rect.height;
  const int64_t t = thickness;
  if (2 * t >= rect.width || 2 * t >= rect.height) {
    FillSpan(canvas, x0, y0, x1, y1, colour);
    return;
  }
  // Four bands that do not overlap, so no pixel is blended twice.
  FillSpan(canvas, x0, y0, x1, y0 + t, colour);
  FillSpan(canvas, x0, y1 - t, x1, y1, colour);
  FillSpan(canvas, x0, y0 + t, x0 + t, y1 - t, colour);
  FillSpan(canvas, x1 - t, y0 + t, x1, y1 - t, colour);
}

void FillPolygon(Picture& canvas, std::span<const PointF> points, Rgba colour) {
  if (points.size() < 3 || canvas.empty() || !AllFinite(points)) return;
  CoverageRaster& raster = Raster(canvas);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PointF& a = points[i];
    const PointF& b = points[(i + 1) % points.size()];
    raster.AddEdge(a[0], a[1], b[0], b[1]);
  }
  BlendCoverage(raster, canvas, colour);
}

void FillRoundedRect(Picture& canvas, float x, float y, float width, float height, float radius,
                     Rgba colour) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height) ||
      !std::isfinite(radius) || !(width > 0.0f) || !(height > 0.0f) || canvas.empty()) {
    return;
  }
  const double left = x;
  const double top = y;
  const double right = left + width;
  const double bottom = top + height;
  const double r = std::clamp(static_cast<double>(radius), 0.0, 0.5 * std::min<double>(width, height));
  int32_t x_first = 0;
  int32_t x_end = 0;
  int32_t y_first = 0;
  int32_t y_end = 0;
  PixelRange(left, right, canvas.width(), x_first, x_end);
  PixelRange(top, bottom, canvas.height(), y_first, y_end);
  for (int32_t py = y_first; py < y_end; ++py) {
    const double cover_y = Overlap(py, top, bottom);
    const double centre_y = py + 0.5;
    // The centre of the corner circle this row may meet, if any.
    const double corner_y = centre_y < top + r ? top + r : centre_y > bottom - r ? bottom - r : centre_y;
    for (int32_t px = x_first; px < x_end; ++px) {
      double coverage = Overlap(px, left, right) * cover_y;
      const double centre_x = px + 0.5;
      const double corner_x = centre_x < left + r ? left + r : centre_x > right - r ? right - r : centre_x;
      if (corner_x != centre_x && corner_y != centre_y) {
        const double dx = centre_x - corner_x;
        const double dy = centre_y - corner_y;
        coverage = std::min(coverage, std::clamp(r + 0.5 - std::sqrt(dx * dx + dy * dy), 0.0, 1.0));
      }
      BlendOver(canvas.at(px, py), colour, CoveredAlpha(colour, static_cast<float>(coverage)));
    }
  }
}

void DrawLine(Picture& canvas, PointF from, PointF to, float width, Rgba colour) {
  if (!Finite(from) || !Finite(to) || !std::isfinite(width) || !(width > 0.0f) || canvas.empty()) return;
  const double half = 0.5 * width;
  Point a{from[0], from[1]};
  Point b{to[0], to[1]};
  if (!ClipSegment(canvas, half + 2.0, a, b)) return;
  CoverageRaster& raster = Raster(canvas);
  AddStroke(raster, a, b, half);
  BlendCoverage(raster, canvas, colour);
}

void DrawPolyline(Picture& canvas, std::span<const PointF> points, float width, Rgba colour) {
  if (points.size() < 2 || !AllFinite(points) || !std::isfinite(width) || !(width > 0.0f) || canvas.empty())
    return;
  const double half = 0.5 * width;
  // Joins reach at most a mitre (twice the half width) past their point.
  const double margin = 2.0 * half + 2.0;
  CoverageRaster& raster = Raster(canvas);
  // The polyline without repeated points, which have no direction.
  std::size_t previous = 0;
  bool have_in = false;
  Point in{};
  for (std::size_t i = 1; i < points.size(); ++i) {
    const Point a{points[previous][0], points[previous][1]};
    const Point b{points[i][0], points[i][1]};
    if (a.x == b.x && a.y == b.y) continue;
    const Point out = Direction(a, b);
    const bool join_visible =
        a.x > -margin && a.y > -margin && a.x < canvas.width() + margin && a.y < canvas.height() + margin;
    if (have_in && join_visible) AddJoin(raster, a, in, out, half);
    Point clipped_a = a;
    Point clipped_b = b;
    if (ClipSegment(canvas, margin, clipped_a, clipped_b)) AddStroke(raster, clipped_a, clipped_b, half);
    in = out;
    have_in = true;
    previous = i;
  }
  // All strokes and joins in one sweep: overlaps are blended once.
  BlendCoverage(raster, canvas, colour);
}

void FillCircle(Picture& canvas, PointF centre, float radius, Rgba colour) {
  if (!Finite(centre) || !std::isfinite(radius) || canvas.empty()) return;
  FillRing(canvas, centre[0], centre[1], radius, 0.0, colour);
}

void StrokeCircle(Picture& canvas, PointF centre, float radius, float width, Rgba colour) {
  if (!Finite(centre) || !std::isfinite(radius) || !std::isfinite(width) || !(width > 0.0f) || canvas.empty())
    return;
  FillRing(canvas, centre[0], centre[1], radius + 0.5 * width, radius - 0.5 * width, colour);
}

}  // namespace standin
