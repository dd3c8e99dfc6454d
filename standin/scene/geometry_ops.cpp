#include "scene/geometry_ops.h"

#include <utility>

namespace standin {

void ReverseNormals(std::vector<Polygon>& polygons) {
  for (Polygon& p : polygons) {
    if (p.c == p.d) {
      std::swap(p.b, p.c);
      p.d = p.c;
    } else {
      std::swap(p.b, p.d);
    }
  }
}

void MirrorCurve(SplineCurve& curve) {
  for (auto& knot : curve.knots) knot[1] = 1.0 - knot[1];
}

}  // namespace standin
