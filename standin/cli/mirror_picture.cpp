#include "cli/mirror_picture.h"

#include <variant>

#include "draw/png.h"
#include "draw/utf8.h"

namespace standin {
namespace {

constexpr int32_t kAxisGadget = 10005;
constexpr int32_t kFirstAxis = 5000;  // X; Y and Z follow
constexpr size_t kLongestName = 40;   // bytes of the parent's name in the caption
constexpr const char* kAxisNames[3] = {"X", "Y", "Z"};

Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
bool IsZero(Vec3 v) { return v.x == 0 && v.y == 0 && v.z == 0; }

const Object* FirstSelected(const Document& document) {
  for (const Object* op = document.first(); op != nullptr; op = NextInDocument(op)) {
    if (op->selected) return op;
  }
  return nullptr;
}

// The plane through `space`'s origin that holds its two axes other than
// `axis`; across a space that shears, its normal is their cross product,
// not the axis itself. None for a space flattened onto a line.
std::optional<MirrorPlane> PlaneIn(const Matrix& space, int32_t axis) {
  const Vec3 axes[3] = {space.v1, space.v2, space.v3};
  Vec3 normal = Cross(axes[(axis + 1) % 3], axes[(axis + 2) % 3]);
  if (IsZero(normal)) normal = axes[axis];  // a space flattened along one of the other axes
  if (IsZero(normal)) return std::nullopt;
  return MirrorPlane{space.off, normal};
}

}  // namespace

MirrorPicture::MirrorPicture(const Document& document, const Dialog& dialog)
    : before_(CollectShapes(document)) {
  const Gadget* gadget = dialog.Find(kAxisGadget);
  const int32_t* value = gadget != nullptr ? std::get_if<int32_t>(&gadget->value) : nullptr;
  if (value != nullptr && *value >= kFirstAxis && *value < kFirstAxis + 3) axis_ = *value - kFirstAxis;
  const Object* selected = FirstSelected(document);
  if (selected == nullptr) return;
  selected_ = true;
  // Taken now: a run in place may change what lies below the parent, never
  // the parent itself.
  space_ = WorldMatrixOf(selected->parent);
  if (selected->parent != nullptr) {
    has_parent_ = true;
    parent_name_ = WholeCharactersWithin(selected->parent->data.name, kLongestName);
  }
}

std::string MirrorPicture::Png(const Document& after, bool made_copy) const {
  std::optional<MirrorPlane> plane;
  std::string caption;
  if (!selected_) {
    caption = "nothing selected: no mirror plane";
  } else if (axis_ < 0) {
    caption = "the axis gadget names no axis: no mirror plane";
  } else {
    const bool in_world = made_copy || !has_parent_;
    plane = PlaneIn(in_world ? Matrix{} : space_, axis_);
    const std::string space = in_world ? "the world" : "the space of " + parent_name_;
    const char* how = made_copy ? ", where the copy lies" : ", mirrored in place";
    caption =
        plane ? std::string("dashed: the mirror plane, ") + kAxisNames[axis_] + " = 0 in " + space + how
              : "the space mirrored in has no " + std::string(kAxisNames[axis_]) + " axis: no mirror plane";
  }
  const SceneShapes now = CollectShapes(after);
  return EncodePng(DrawBeforeAfter(before_, now, plane ? &*plane : nullptr, caption, kBeforeAfterWidth,
                                   kBeforeAfterHeight));
}

}  // namespace standin
