#include "render/scene_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace standin {
namespace {

Vec3 Add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Times(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
bool Finite(Vec3 a) { return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z); }

// A frame for a box without extent is this many world units across.
constexpr double kFlatSpan = 2.0;

}  // namespace

Vec3 TransformDirection(const Matrix& matrix, Vec3 direction) {
  return Add(Add(Times(matrix.v1, direction.x), Times(matrix.v2, direction.y)),
             Times(matrix.v3, direction.z));
}

Vec3 TransformPoint(const Matrix& matrix, Vec3 point) {
  return Add(matrix.off, TransformDirection(matrix, point));
}

Matrix Compose(const Matrix& parent, const Matrix& local) {
  return {TransformPoint(parent, local.off), TransformDirection(parent, local.v1),
          TransformDirection(parent, local.v2), TransformDirection(parent, local.v3)};
}

void ForEachPlaced(const Document& document, const std::function<void(const Object&, const Matrix&)>& visit) {
  // The world matrices of the objects whose children are being walked,
  // innermost last: one entry per level entered, popped on the way back up.
  std::vector<Matrix> ancestors;
  const Object* op = document.first();
  while (op != nullptr) {
    const Matrix world = ancestors.empty() ? op->data.matrix : Compose(ancestors.back(), op->data.matrix);
    visit(*op, world);
    if (op->first_child != nullptr) {
      ancestors.push_back(world);
      op = op->first_child;
      continue;
    }
    while (op != nullptr && op->next == nullptr) {
      op = op->parent;
      if (op != nullptr) ancestors.pop_back();
    }
    if (op != nullptr) op = op->next;
  }
}

Matrix WorldMatrixOf(const Object* op) {
  std::vector<const Object*> chain;
  for (const Object* at = op; at != nullptr; at = at->parent) chain.push_back(at);
  Matrix world;
  for (auto at = chain.rbegin(); at != chain.rend(); ++at) world = Compose(world, (*at)->data.matrix);
  return world;
}

void Box3::Add(Vec3 point) {
  if (!Finite(point)) return;
  if (empty) {
    lo = hi = point;
    empty = false;
    return;
  }
  lo = {std::min(lo.x, point.x), std::min(lo.y, point.y), std::min(lo.z, point.z)};
  hi = {std::max(hi.x, point.x), std::max(hi.y, point.y), std::max(hi.z, point.z)};
}

void Box3::Add(const Box3& other) {
  if (other.empty) return;
  Add(other.lo);
  Add(other.hi);
}

ViewAxes AxesOf(View view) {
  switch (view) {
    case View::kTop:
      return {{1, 0, 0}, {0, 0, -1}};
    case View::kSide:
      return {{0, 0, -1}, {0, 1, 0}};
    case View::kFront:
      break;
  }
  return {{1, 0, 0}, {0, 1, 0}};
}

std::string_view ViewLabel(View view) {
  switch (view) {
    case View::kTop:
      return "Top (from +Y): X right, Z down";
    case View::kSide:
      return "Side (from +X): Z left, Y up";
    case View::kFront:
      break;
  }
  return "Front (from +Z): X right, Y up";
}

ViewFrame::ViewFrame(View view, const Box3& box, PixelRect area)
    : view_(view), axes_(AxesOf(view)), area_(area) {
  plot_ = {area.x, area.y + kViewLabelHeight, area.width, std::max(1, area.height - kViewLabelHeight)};
  const double margin = std::max(12.0, 0.08 * std::min(plot_.width, plot_.height));
  const double inner_w = std::max(1.0, plot_.width - 2 * margin);
  const double inner_h = std::max(1.0, plot_.height - 2 * margin);
  // Halves and half-differences, so that no sum of two finite coordinates
  // can overflow.
  double half_u = 0, half_v = 0;
  if (!box.empty) {
    const double lo_u = Dot(box.lo, axes_.right), hi_u = Dot(box.hi, axes_.right);
    const double lo_v = Dot(box.lo, axes_.up), hi_v = Dot(box.hi, axes_.up);
    centre_u_ = lo_u / 2 + hi_u / 2;
    centre_v_ = lo_v / 2 + hi_v / 2;
    half_u = std::abs(hi_u / 2 - lo_u / 2);
    half_v = std::abs(hi_v / 2 - lo_v / 2);
  }
  // Extents that are nothing next to the coordinates (rounding, or one
  // point) count as none.
  const double tiny = 1e-12 * std::max({1.0, std::abs(centre_u_), std::abs(centre_v_)});
  if (half_u <= tiny && half_v <= tiny) half_u = half_v = kFlatSpan / 2;
  scale_ = std::min(half_u > tiny ? inner_w / 2 / half_u : HUGE_VAL,
                    half_v > tiny ? inner_h / 2 / half_v : HUGE_VAL);
  if (!std::isfinite(scale_) || scale_ <= 0) scale_ = 1;
  if (!std::isfinite(centre_u_) || !std::isfinite(centre_v_)) centre_u_ = centre_v_ = 0;
}

PixelPoint ViewFrame::ToPixel(Vec3 world) const {
  return {plot_.x + plot_.width / 2.0 + (Dot(world, axes_.right) - centre_u_) * scale_,
          plot_.y + plot_.height / 2.0 - (Dot(world, axes_.up) - centre_v_) * scale_};
}

PixelPoint ViewFrame::ToPixelDirection(Vec3 direction) const {
  return {Dot(direction, axes_.right) * scale_, -Dot(direction, axes_.up) * scale_};
}

std::array<double, 2> ViewFrame::ToViewPlane(PixelPoint pixel) const {
  return {centre_u_ + (pixel[0] - plot_.x - plot_.width / 2.0) / scale_,
          centre_v_ - (pixel[1] - plot_.y - plot_.height / 2.0) / scale_};
}

ViewFrame ViewFrame::MovedTo(int32_t x, int32_t y) const {
  ViewFrame moved = *this;
  moved.plot_.x += x - area_.x;
  moved.plot_.y += y - area_.y;
  moved.area_.x = x;
  moved.area_.y = y;
  return moved;
}

bool ClipSegment(PixelPoint& a, PixelPoint& b, PixelRect rect, double slack) {
  if (!std::isfinite(a[0]) || !std::isfinite(a[1]) || !std::isfinite(b[0]) || !std::isfinite(b[1]))
    return false;
  const double lo[2] = {rect.x - slack, rect.y - slack};
  const double hi[2] = {rect.x + rect.width + slack, rect.y + rect.height + slack};
  // Liang-Barsky: the part of a + t (b - a), t in [0, 1], inside each slab.
  double t0 = 0, t1 = 1;
  for (int axis = 0; axis < 2; ++axis) {
    const double d = b[axis] - a[axis];
    if (d == 0) {
      if (a[axis] < lo[axis] || a[axis] > hi[axis]) return false;
      continue;
    }
    double enter = (lo[axis] - a[axis]) / d, leave = (hi[axis] - a[axis]) / d;
    if (enter > leave) std::swap(enter, leave);
    t0 = std::max(t0, enter);
    t1 = std::min(t1, leave);
    if (t0 > t1) return false;
  }
  const PixelPoint from = a;
  const PixelPoint delta = {b[0] - a[0], b[1] - a[1]};
  if (!std::isfinite(delta[0]) || !std::isfinite(delta[1])) return false;
  a = {from[0] + t0 * delta[0], from[1] + t0 * delta[1]};
  b = {from[0] + t1 * delta[0], from[1] + t1 * delta[1]};
  return true;
}

}  // namespace standin
