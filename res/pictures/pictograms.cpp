#include "pictograms.h"

#include <array>
#include <cmath>
#include <string_view>

#include "draw/typeface.h"

namespace pictures {

using standin::Picture;
using standin::PointF;
using standin::Rgba;

namespace {

Rgba scaled(Rgba colour, float factor) {
  auto channel = [factor](std::uint8_t c) {
    return static_cast<std::uint8_t>(std::lround(std::fmin(255.0f, c * factor)));
  };
  return {channel(colour.r), channel(colour.g), channel(colour.b), colour.a};
}

// An arrow from `tail` to `tip` as one polygon: a shaft `shaft` pixels wide
// and a head `head` pixels wide and long.
void drawArrow(Picture& canvas, PointF tail, PointF tip, float shaft, float head, Rgba colour) {
  const float length = std::hypot(tip[0] - tail[0], tip[1] - tail[1]);
  if (length <= head) return;
  const float ux = (tip[0] - tail[0]) / length, uy = (tip[1] - tail[1]) / length;
  const PointF neck{tip[0] - ux * head, tip[1] - uy * head};
  auto side = [&](PointF p, float offset) { return PointF{p[0] - uy * offset, p[1] + ux * offset}; };
  const std::array<PointF, 7> outline{
      side(tail, shaft / 2), side(neck, shaft / 2),  side(neck, head / 2),  tip,
      side(neck, -head / 2), side(neck, -shaft / 2), side(tail, -shaft / 2)};
  standin::FillPolygon(canvas, outline, colour);
}

}  // namespace

void drawCube(Picture& canvas, PointF centre, float size, Rgba colour) {
  const float h = size / 2, depth = size * 0.35f;
  const float left = centre[0] - h, right = centre[0] + h, top = centre[1] - h, bottom = centre[1] + h;
  const PointF frontTopLeft{left, top + depth}, frontTopRight{right - depth, top + depth};
  const PointF frontBottomRight{right - depth, bottom}, frontBottomLeft{left, bottom};
  const PointF backTopLeft{left + depth, top}, backTopRight{right, top},
      backBottomRight{right, bottom - depth};
  const std::array<PointF, 4> front{frontTopLeft, frontTopRight, frontBottomRight, frontBottomLeft};
  const std::array<PointF, 4> lid{frontTopLeft, backTopLeft, backTopRight, frontTopRight};
  const std::array<PointF, 4> side{frontTopRight, backTopRight, backBottomRight, frontBottomRight};
  // Lit from above: the lid lightest, the side in shadow.
  standin::FillPolygon(canvas, front, colour);
  standin::FillPolygon(canvas, lid, scaled(colour, 1.3f));
  standin::FillPolygon(canvas, side, scaled(colour, 0.7f));
}

void drawAxisGizmo(Picture& canvas, PointF origin, float length, float labelSize) {
  struct Axis {
    std::string_view letter;
    PointF direction;
    Rgba colour;
  };
  // Muted red, green and blue: the usual axis colours, calm on a dark ground.
  const std::array<Axis, 3> axes{{
      {"X", {1.0f, 0.0f}, {226, 110, 100, 255}},
      {"Y", {0.0f, -1.0f}, {124, 196, 110, 255}},
      {"Z", {-0.7f, 0.62f}, {110, 156, 232, 255}},
  }};
  const standin::Typeface& face = standin::Typeface::SansBold();
  const float shaft = std::fmax(1.5f, length / 12), head = std::fmax(5.0f, length / 4);
  for (const Axis& axis : axes) {
    const PointF tip{origin[0] + axis.direction[0] * length, origin[1] + axis.direction[1] * length};
    drawArrow(canvas, origin, tip, shaft, head, axis.colour);
    // The letter sits just past the tip, centred on the arrow's line (a
    // capital is 0.73 em high), on whole pixels so that it stays crisp.
    const float gap = labelSize * 0.75f;
    const float cx = tip[0] + axis.direction[0] * gap, cy = tip[1] + axis.direction[1] * gap;
    const float x = std::round(cx - face.Width(axis.letter, labelSize) / 2);
    const float baseline = std::round(cy + labelSize * 0.365f);
    face.Draw(canvas, axis.letter, x, baseline, labelSize, axis.colour);
  }
}

}  // namespace pictures
