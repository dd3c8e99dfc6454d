#include "validate/reflection_check.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/quoted_text.h"
#include "journal/journal.h"
#include "render/scene_view.h"

namespace standin {
namespace {

constexpr double kRelativeTolerance = 1e-9;
constexpr int32_t kPolygonObject = 5100;
constexpr int32_t kSplineObject = 5101;
constexpr int32_t kSweep = 5118;

double Largest(Vec3 v) { return std::max({std::abs(v.x), std::abs(v.y), std::abs(v.z)}); }

// The largest factor by which `m`'s axes lengthen a vector (by rows).
double Stretch(const Matrix& m) {
  const auto row = [&](double Vec3::*c) { return std::abs(m.v1.*c) + std::abs(m.v2.*c) + std::abs(m.v3.*c); };
  return std::max({row(&Vec3::x), row(&Vec3::y), row(&Vec3::z)});
}

// `op` placed in the space of `space` (one of its ancestors, or null for the
// world), with the largest size summed on the way.
Matrix Within(const Object* space, const Object& op, double& reach) {
  Matrix m = op.data.matrix;
  reach = Largest(m.off);
  for (const Object* at = op.parent; at != space; at = at->parent) {
    reach = Largest(at->data.matrix.off) + Stretch(at->data.matrix) * reach;
    m = Compose(at->data.matrix, m);
  }
  return m;
}

// A sweep's profile carries the sweep's turn in its points, so only other
// splines and polygon objects are followed point by point.
bool FollowsPoints(const Object& op) {
  if (!op.data.points) return false;
  if (op.type == kPolygonObject) return true;
  return op.type == kSplineObject && (op.parent == nullptr || op.parent->type != kSweep);
}

Vec3 Reflect(Vec3 v, int axis) {
  (axis == 0 ? v.x : axis == 1 ? v.y : v.z) *= -1;
  return v;
}

std::string Show(Vec3 v) {
  std::string out;
  for (const double c : {v.x, v.y, v.z}) {
    char text[32];
    out += out.empty() ? "(" : ", ";
    out.append(text, std::to_chars(text, text + sizeof text, c).ptr);
  }
  return out + ")";
}

bool Near(Vec3 a, Vec3 b, double reach) {
  const double tolerance = kRelativeTolerance * (1 + reach);
  return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance &&
         std::abs(a.z - b.z) <= tolerance;
}

double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Whether `m`'s axes lean on one another, which no rebuild from angles and
// axis lengths can hold.
bool Shears(const Matrix& m) {
  const auto leans = [](Vec3 a, Vec3 b) {
    return std::abs(Dot(a, b)) > kRelativeTolerance * std::sqrt(Dot(a, a) * Dot(b, b));
  };
  return leans(m.v1, m.v2) || leans(m.v1, m.v3) || leans(m.v2, m.v3);
}

bool Has(std::span<const std::string> words, std::string_view word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// The word after `option`, or empty.
std::string_view ValueOf(std::span<const std::string> words, std::string_view option) {
  const auto at = std::find(words.begin(), words.end(), option);
  return at == words.end() || at + 1 == words.end() ? std::string_view() : std::string_view(*(at + 1));
}

}  // namespace

ReflectionCheck::ReflectionCheck(const Document& document, std::span<const std::string> options) {
  const std::string_view positioning = ValueOf(options, "--positioning");
  if (!positioning.empty() && positioning != "move-rotate") return;
  const std::string_view axis = ValueOf(options, "--axis");
  axis_ = axis == "y" ? 1 : axis == "z" ? 2 : 0;
  points_ = !Has(options, "--no-points");
  const Object* selected = document.first();
  while (selected != nullptr && !selected->selected) selected = NextInDocument(selected);
  if (selected == nullptr) return;
  space_ = selected->parent;
  // Children the run leaves alone, or leaves out of the copy, keep their
  // place in their parent instead.
  const bool alone = Has(options, "--skip-children") || Has(options, "--without-children");
  for (const Object* op = selected; op != nullptr; op = alone ? nullptr : NextInSubtree(selected, op)) {
    Seen seen{op, {}, {}, 0, 0, {}};
    seen.in_space = Within(space_, *op, seen.reach_in_space);
    seen.in_world = Within(nullptr, *op, seen.reach_in_world);
    if (points_ && FollowsPoints(*op)) seen.points = *op->data.points;
    before_.push_back(std::move(seen));
  }
}

ReflectionCheck::Outcome ReflectionCheck::Check(const Object* copy) const {
  Outcome outcome;
  if (before_.empty()) return outcome;
  const Object* root = copy != nullptr ? copy : before_.front().object;
  // A copy of an object whose place in the world shears takes that place
  // without the shear, so only its own origin lands at the reflection.
  const bool sheared = copy != nullptr && Shears(before_.front().in_world);
  const size_t followed = sheared ? 1 : before_.size();
  const Object* op = root;
  for (const Seen& seen : std::span(before_).first(followed)) {
    if (op == nullptr) return {outcome.followed, "the mirrored hierarchy holds fewer objects than it did"};
    ++outcome.followed;
    const Matrix& was = copy != nullptr ? seen.in_world : seen.in_space;
    const double reach_was = copy != nullptr ? seen.reach_in_world : seen.reach_in_space;
    double reach = 0;
    const Matrix is = Within(root->parent, *op, reach);
    reach = std::max(reach, reach_was);
    const auto where = [op] {
      return QuoteForMessage(ObjectPath(*op)) + " (type " + std::to_string(op->type) + ")";
    };
    const Vec3 expected = Reflect(was.off, axis_);
    if (!Near(is.off, expected, reach)) {
      outcome.misplaced = where() + " lies at " + Show(is.off) + ", not at the reflection " + Show(expected) +
                          (copy != nullptr ? " of where its original lies in the world" : " of where it lay");
      return outcome;
    }
    const size_t count = op->data.points ? op->data.points->size() : 0;
    for (size_t i = 0; !sheared && i < seen.points.size() && i < count; ++i) {
      const Vec3 point = TransformPoint(is, (*op->data.points)[i]);
      const Vec3 reflected = Reflect(TransformPoint(was, seen.points[i]), axis_);
      const double scale = reach + std::max(Stretch(is), Stretch(was)) * Largest(seen.points[i]);
      if (!Near(point, reflected, scale)) {
        outcome.misplaced = where() + " point " + std::to_string(i) + " lies at " + Show(point) +
                            ", not at its reflection " + Show(reflected);
        return outcome;
      }
    }
    op = NextInSubtree(root, op);
  }
  return outcome;
}

}  // namespace standin
