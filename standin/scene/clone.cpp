#include "scene/clone.h"

#include "scene/document.h"

namespace standin {
namespace {

Object* CopyOne(const Object& from, Scene& scene) {
  Object* copy = scene.NewObject(from.type);
  copy->data = CopyObjectData(from.data);
  return copy;
}

}  // namespace

ObjectData CopyObjectData(const ObjectData& data) {
  ObjectData copy;
  copy.name = data.name;
  copy.matrix = data.matrix;
  copy.params = data.params;
  copy.vector = data.vector;
  copy.color = data.color;
  copy.points = CopyList(data.points);
  copy.tangents = CopyList(data.tangents);
  copy.polygons = CopyList(data.polygons);
  return copy;
}

Object* CloneObject(const Object& op, bool with_children) {
  Scene& scene = *op.scene;
  Object* root = CopyOne(op, scene);
  if (!with_children) return root;
  // Walks the original in pre-order with the copy's cursor in step: down to
  // a first child, or up until a next sibling exists.
  const Object* at = &op;
  Object* copy = root;
  while (true) {
    if (at->first_child) {
      at = at->first_child;
      Object* child = CopyOne(*at, scene);
      LinkOutside(child, copy);
      copy = child;
      continue;
    }
    while (at != &op && at->next == nullptr) {
      at = at->parent;
      copy = copy->parent;
    }
    if (at == &op) return root;
    at = at->next;
    Object* sibling = CopyOne(*at, scene);
    LinkOutside(sibling, copy->parent);
    copy = sibling;
  }
}

}  // namespace standin
