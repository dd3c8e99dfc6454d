#include "cli/mirror_picture.h"

#include <variant>

#include "draw/png.h"
#include "draw/utf8.h"

namespace standin {
namespace {

constexpr int32_t kAxisGadget = 10005;
constexpr int32_t kFirstAxis = 5000;  // X; Y and Z follow
constexpr size_t kLongestName = 40;   // bytes of the parent's name in the caption

Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
bool IsZero(Vec3 v) { return v.x == 0 && v.y == 0 && v.z == 0; }

const Object* FirstSelected(const Document& document) {
  for (const Object* op = document.first(); op != nullptr; op = NextInDocument(op)) {
    if (op->selected) return op;
  }
  return nullptr;
}

}  // namespace

MirrorPicture::MirrorPicture(const Document& document, const Dialog& dialog)
    : before_(CollectShapes(document)) {
  const Object* selected = FirstSelected(document);
  const Gadget* gadget = dialog.Find(kAxisGadget);
  const int32_t* value = gadget != nullptr ? std::get_if<int32_t>(&gadget->value) : nullptr;
  const int32_t axis = value != nullptr ? *value - kFirstAxis : -1;
  if (selected == nullptr) {
    caption_ = "nothing selected: no mirror plane";
    return;
  }
  if (axis < 0 || axis > 2) {
    caption_ = "the axis gadget names no axis: no mirror plane";
    return;
  }
  // The plane holds the parent space's other two axes; across a parent
  // that shears, its normal is their cross product, not the axis itself.
  const Matrix space = WorldMatrixOf(selected->parent);
  const Vec3 axes[3] = {space.v1, space.v2, space.v3};
  Vec3 normal = Cross(axes[(axis + 1) % 3], axes[(axis + 2) % 3]);
  if (IsZero(normal)) normal = axes[axis];  // a space flattened along one of the other axes
  const char* const names[3] = {"X", "Y", "Z"};
  if (IsZero(normal)) {
    caption_ = std::string("the space mirrored in has no ") + names[axis] + " axis: no mirror plane";
    return;
  }
  plane_ = MirrorPlane{space.off, normal};
  std::string space_name = "the world";
  if (selected->parent != nullptr) {
    space_name =
        "the space of " + std::string(WholeCharactersWithin(selected->parent->data.name, kLongestName));
  }
  caption_ = std::string("dashed: the mirror plane, ") + names[axis] + " = 0 in " + space_name;
}

std::string MirrorPicture::Png(const Document& after) const {
  const SceneShapes now = CollectShapes(after);
  return EncodePng(DrawBeforeAfter(before_, now, plane_ ? &*plane_ : nullptr, caption_, kBeforeAfterWidth,
                                   kBeforeAfterHeight));
}

}  // namespace standin
