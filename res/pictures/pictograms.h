// Small drawings of the simple-usage steps: an object to select and the
// three axes to choose from.
#pragma once

#include "draw/picture.h"
#include "draw/shapes.h"

namespace pictures {

// A cube seen from above and the front-right, its three visible faces in
// three shades of `colour`; `size` is its overall width and height.
void drawCube(standin::Picture& canvas, standin::PointF centre, float size, standin::Rgba colour);

// Three arrows from `origin`, X to the right, Y up and Z towards the viewer,
// each labelled with its letter in a bold face of `labelSize` pixels.
void drawAxisGizmo(standin::Picture& canvas, standin::PointF origin, float length, float labelSize);

}  // namespace pictures
