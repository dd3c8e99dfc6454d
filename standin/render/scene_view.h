// Where objects lie in the world, and how the world looks in the three
// orthographic views of a scene picture: which world directions point right
// and up, and where a world point lands in a panel of the picture.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "draw/picture.h"
#include "scene/document.h"

namespace standin {

// `local` placed in the space `parent` places: the offset and axes of
// `local` carried by `parent`'s axes.
Matrix Compose(const Matrix& parent, const Matrix& local);
Vec3 TransformPoint(const Matrix& matrix, Vec3 point);
Vec3 TransformDirection(const Matrix& matrix, Vec3 direction);

// Calls `visit` with every object of the document in document order and its
// world matrix. Walks without recursion, composing each matrix once, so any
// depth of hierarchy costs one pass.
void ForEachPlaced(const Document& document, const std::function<void(const Object&, const Matrix&)>& visit);

// The world matrix of the space `op` lies in when it is not null: the
// composition of its ancestors and itself. Null gives the identity (the
// world).
Matrix WorldMatrixOf(const Object* op);

// World-space bounds; empty until a finite point is added.
struct Box3 {
  Vec3 lo{}, hi{};
  bool empty = true;
  void Add(Vec3 point);  // points that are not finite are left out
  void Add(const Box3& other);
};

// The views, each as seen from the positive side of one world axis, so that
// right × up points at the viewer:
//   front, from +Z: X right, Y up
//   top,   from +Y: X right, Z down (−Z up)
//   side,  from +X: Z left (−Z right), Y up
enum class View { kFront, kTop, kSide };

struct ViewAxes {
  Vec3 right, up;
};
ViewAxes AxesOf(View view);
// "Front (from +Z): X right, Y up" and the like.
std::string_view ViewLabel(View view);

// A point in pixels, in double precision until it is drawn.
using PixelPoint = std::array<double, 2>;

// One view of a world box fitted into a panel of the picture: the box's
// view-plane bounds centred in `area` below its label, with a margin, one
// scale for both picture axes. A box without extent (one point, or empty)
// gets a frame a few world units wide around its centre.
class ViewFrame {
 public:
  ViewFrame(View view, const Box3& box, PixelRect area);

  View view() const { return view_; }
  PixelRect area() const { return area_; }
  // The part of the area below the view's label, where the scene is drawn.
  PixelRect plot() const { return plot_; }
  double pixels_per_unit() const { return scale_; }

  // The picture coordinates where `world` lands (pixel (i, j) covers
  // [i, i+1) x [j, j+1)); they may lie outside the area.
  PixelPoint ToPixel(Vec3 world) const;
  // The picture direction (y down) of a world direction, in pixels per unit.
  PixelPoint ToPixelDirection(Vec3 direction) const;
  // The world view-plane coordinates (along right, along up) of a pixel.
  std::array<double, 2> ToViewPlane(PixelPoint pixel) const;

  // The same frame drawn with its area's corner at (x, y).
  ViewFrame MovedTo(int32_t x, int32_t y) const;

 private:
  View view_;
  ViewAxes axes_;
  PixelRect area_;
  PixelRect plot_;
  double centre_u_ = 0, centre_v_ = 0;  // the box's centre in the view plane
  double scale_ = 1;                    // pixels per world unit
};

// The height of a view's label strip at the top of its area.
inline constexpr int32_t kViewLabelHeight = 22;

// Clips the segment from `a` to `b` to `rect` grown by `slack` pixels on
// every side; false when nothing of it is left. Done in double precision, so
// that a segment running far out of the picture keeps its visible part.
bool ClipSegment(PixelPoint& a, PixelPoint& b, PixelRect rect, double slack);

}  // namespace standin
