// The plug-in's emblem: a sail-like shape, a dashed mirror axis and the
// shape's mirror image on the other side, so the picture itself shows what
// the plug-in does. Banners and the command icon draw it in their own
// colours; every length derives from the box, so it draws at any size.
#pragma once

#include "draw/picture.h"

namespace pictures {

struct MotifBox {
  float axisX = 0;   // the mirror axis
  float top = 0;     // top of the shapes
  float height = 0;  // height of the shapes
  float gap = 0;     // from the axis to each shape
};

struct MotifStyle {
  standin::Rgba shape;           // fill of the original shape
  standin::Rgba shapeEdge;       // its outline (alpha 0: none)
  standin::Rgba reflection;      // fill of the mirror image
  standin::Rgba reflectionEdge;  // its outline (alpha 0: none)
  standin::Rgba axis;
  float edgeWidth = 1;  // outline width, pixels
  float axisWidth = 1;  // dash width, pixels
  float dash = 4;       // dash length, pixels
  float dashGap = 2;    // between dashes, pixels
  float overhang = 0;   // how far the axis runs past the shapes, pixels
};

void drawMirrorMotif(standin::Picture& canvas, const MotifBox& box, const MotifStyle& style);

}  // namespace pictures
