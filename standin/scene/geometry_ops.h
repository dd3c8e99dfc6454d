// The host's own operations on object data: the modeling command that
// reverses polygon normals and the spline-curve library's mirror.
#pragma once

#include <vector>

#include "scene/object.h"

namespace standin {

// Keeps each polygon's first index and reverses the order of the others:
// [a, b, c, d] becomes [a, d, c, b]; a triangle [a, b, c, c] becomes
// [a, c, b, b].
void ReverseNormals(std::vector<Polygon>& polygons);

// Mirrors a curve about its middle line: each knot (x, y) becomes (x, 1 - y).
void MirrorCurve(SplineCurve& curve);

}  // namespace standin
