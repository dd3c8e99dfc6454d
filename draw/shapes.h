// Antialiased shapes on a picture. Coordinates are in pixels, pixel (i, j)
// covering [i, i+1) x [j, j+1), so a one-pixel line through pixel centres
// runs along i + 0.5. Every shape is blended over what is there by its
// coverage and clipped to the canvas: any coordinates, however large,
// negative or not finite, are safe (a shape with a coordinate that is not
// finite draws nothing).
#pragma once

#include <array>
#include <span>

#include "draw/picture.h"

namespace standin {

using PointF = std::array<float, 2>;

// Blends `colour` (with its own alpha) over pixel (x, y), weighted by
// `coverage` in [0, 1]. Outside the canvas nothing happens.
void BlendPixel(Picture& canvas, int32_t x, int32_t y, Rgba colour, float coverage = 1.0f);

// Whole-pixel rectangles, blended.
void FillRect(Picture& canvas, PixelRect rect, Rgba colour);
// The rectangle's border, `thickness` pixels wide, inside the rectangle.
void FrameRect(Picture& canvas, PixelRect rect, Rgba colour, int32_t thickness = 1);

// A filled polygon (non-zero winding), antialiased.
void FillPolygon(Picture& canvas, std::span<const PointF> points, Rgba colour);
// A rectangle with rounded corners, antialiased.
void FillRoundedRect(Picture& canvas, float x, float y, float width, float height, float radius, Rgba colour);
// A line `width` pixels wide with square ends flush at its end points.
void DrawLine(Picture& canvas, PointF from, PointF to, float width, Rgba colour);
// An open polyline of such lines, joined without gaps at the inner points.
void DrawPolyline(Picture& canvas, std::span<const PointF> points, float width, Rgba colour);
void FillCircle(Picture& canvas, PointF centre, float radius, Rgba colour);
// A ring `width` pixels wide centred on the circle of `radius`.
void StrokeCircle(Picture& canvas, PointF centre, float radius, float width, Rgba colour);

}  // namespace standin
