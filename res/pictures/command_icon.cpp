// The command's icon: the emblem alone on a transparent background. Toolbars
// may be light or dark, so every part is a mid-tone that stands out on
// either: a blue shape, its mirror image as a pale fill inside a blue
// outline, and an orange dashed axis.
#include "mirror_motif.h"
#include "pictures.h"

namespace pictures {

standin::Picture drawCommandIcon(int size) {
  // The design is laid out on a 32-pixel grid and scaled, so strokes and
  // straight edges fall on whole pixels at 32 and at its multiples.
  const float unit = static_cast<float>(size) / 32;
  standin::Picture icon(size, size, {0, 0, 0, 0});
  const MotifStyle style{
      .shape = {53, 132, 228, 255},
      .shapeEdge = {26, 95, 180, 255},
      .reflection = {222, 236, 252, 255},
      .reflectionEdge = {26, 95, 180, 255},
      .axis = {230, 97, 0, 255},
      .edgeWidth = 2 * unit,
      .axisWidth = 2 * unit,
      .dash = 4 * unit,
      .dashGap = 2 * unit,
      .overhang = 3 * unit,
  };
  drawMirrorMotif(icon, {.axisX = 16 * unit, .top = 5 * unit, .height = 22 * unit, .gap = 3 * unit}, style);
  return icon;
}

}  // namespace pictures
