#include "mirror_motif.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "draw/shapes.h"

namespace pictures {

using standin::Picture;
using standin::PointF;
using standin::Rgba;

namespace {

// The shape's width and the bulge of its curved side, in units of its height.
constexpr float kWidth = 0.5f;
constexpr PointF kCurveControl{-0.36f, 0.36f};
constexpr int kCurveSegments = 16;

// The outline of the shape left of the axis, clockwise from its top corner.
std::vector<PointF> motifShape(const MotifBox& box) {
  const float inner = box.axisX - box.gap;
  const float bottom = box.top + box.height;
  const PointF outerBottom{inner - kWidth * box.height, bottom};
  const PointF top{inner, box.top};
  const PointF control{inner + kCurveControl[0] * box.height, box.top + kCurveControl[1] * box.height};
  std::vector<PointF> points{top, {inner, bottom}, outerBottom};
  // The outer side bulges outwards: a quadratic curve from the outer bottom
  // corner back up to the top corner.
  for (int i = 1; i < kCurveSegments; ++i) {
    const float t = static_cast<float>(i) / kCurveSegments;
    const float a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, c = t * t;
    points.push_back(
        {a * outerBottom[0] + b * control[0] + c * top[0], a * outerBottom[1] + b * control[1] + c * top[1]});
  }
  return points;
}

// `points` reflected across the vertical line x = axisX.
std::vector<PointF> mirroredAcross(std::span<const PointF> points, float axisX) {
  std::vector<PointF> mirrored;
  mirrored.reserve(points.size());
  for (const PointF& p : points) mirrored.push_back({2 * axisX - p[0], p[1]});
  return mirrored;
}

// A closed outline `width` pixels wide, centred on the polygon's edges.
void strokePolygon(Picture& canvas, std::span<const PointF> points, float width, Rgba colour) {
  if (points.size() < 2) return;
  // A polyline joins only its inner points, so the ring starts and ends
  // halfway along the first edge: every corner is then an inner point.
  const PointF start{(points[0][0] + points[1][0]) / 2, (points[0][1] + points[1][1]) / 2};
  std::vector<PointF> ring{start};
  for (std::size_t i = 1; i < points.size(); ++i) ring.push_back(points[i]);
  ring.push_back(points[0]);
  ring.push_back(start);
  standin::DrawPolyline(canvas, ring, width, colour);
}

// A dashed vertical line with a dash centred on `centreY`, clipped to
// [top, bottom], so that the pattern is symmetric about the centre.
void drawDashedVertical(Picture& canvas, float x, float top, float bottom, float centreY,
                        const MotifStyle& style) {
  const float period = style.dash + style.dashGap;
  if (period <= 0 || bottom <= top) return;
  const float first = centreY - style.dash / 2 - std::ceil((centreY - top) / period) * period;
  for (float start = first; start < bottom; start += period) {
    const float from = std::max(start, top), to = std::min(start + style.dash, bottom);
    if (to > from) standin::DrawLine(canvas, {x, from}, {x, to}, style.axisWidth, style.axis);
  }
}

}  // namespace

void drawMirrorMotif(Picture& canvas, const MotifBox& box, const MotifStyle& style) {
  const std::vector<PointF> shape = motifShape(box);
  const std::vector<PointF> reflection = mirroredAcross(shape, box.axisX);
  standin::FillPolygon(canvas, shape, style.shape);
  if (style.shapeEdge.a > 0) strokePolygon(canvas, shape, style.edgeWidth, style.shapeEdge);
  standin::FillPolygon(canvas, reflection, style.reflection);
  if (style.reflectionEdge.a > 0) strokePolygon(canvas, reflection, style.edgeWidth, style.reflectionEdge);
  drawDashedVertical(canvas, box.axisX, box.top - style.overhang, box.top + box.height + style.overhang,
                     box.top + box.height / 2, style);
}

}  // namespace pictures
