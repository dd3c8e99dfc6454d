#include "cli/info_command.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "cli/exit_status.h"
#include "io/json_text.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "scene/rotation.h"
#include "scene/types.h"

namespace standin {
namespace {

constexpr size_t kDeepestIndent = 32;

// Six significant digits, as people read them; negative zero as 0.
void AppendReadable(std::string& out, double value) {
  if (value == 0) value = 0;
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
  out.append(text, end);
}

void AppendTriple(std::string& out, std::string_view label, const Vec3& v, std::string_view unit = {}) {
  out += "  ";
  out += label;
  out += " (";
  AppendReadable(out, v.x);
  out += unit;
  out += ", ";
  AppendReadable(out, v.y);
  out += unit;
  out += ", ";
  AppendReadable(out, v.z);
  out += unit;
  out += ')';
}

void AppendCount(std::string& out, size_t count, std::string_view noun) {
  out += "  " + std::to_string(count) + ' ';
  out += noun;
  if (count != 1) out += 's';
}

// Angles in degrees; the rounding noise of the conversion (far below any
// angle a person sets) shows as 0.
Vec3 Degrees(const Vec3& radians) {
  const auto degrees = [](double angle) {
    const double d = angle * 180 / std::numbers::pi;
    return std::abs(d) < 1e-9 ? 0.0 : d;
  };
  return {degrees(radians.x), degrees(radians.y), degrees(radians.z)};
}

void AppendObjectLine(std::string& out, const Object& op, size_t depth) {
  out.append(2 * std::min(depth, kDeepestIndent), ' ');
  if (depth > kDeepestIndent) out += "[depth " + std::to_string(depth) + "] ";
  AppendJsonString(out, op.data.name);
  out += "  " + std::to_string(op.type);
  if (const std::string_view type_name = TypeName(op.type); !type_name.empty()) {
    out += ' ';
    out += type_name;
  }
  const Matrix& m = op.data.matrix;
  AppendTriple(out, "position", m.off);
  AppendTriple(out, "rotation", Degrees(MatrixToHpb(m)), "\xC2\xB0");
  AppendTriple(out, "scale", {Length(m.v1), Length(m.v2), Length(m.v3)});
  if (op.data.points) AppendCount(out, op.data.points->size(), "point");
  if (op.data.tangents) AppendCount(out, op.data.tangents->size(), "tangent");
  if (op.data.polygons) AppendCount(out, op.data.polygons->size(), "polygon");
  if (op.selected) out += "  selected";
  out += '\n';
}

}  // namespace

std::string SceneTree(const Document& document, std::string_view title) {
  std::string tree;
  size_t objects = 0, selected = 0;
  size_t depth = 0;
  const Object* op = document.first();
  while (op != nullptr) {
    AppendObjectLine(tree, *op, depth);
    ++objects;
    if (op->selected) ++selected;
    if (op->first_child != nullptr) {
      op = op->first_child;
      ++depth;
      continue;
    }
    while (op != nullptr && op->next == nullptr) {
      op = op->parent;
      if (op != nullptr) --depth;
    }
    if (op != nullptr) op = op->next;
  }
  std::string out(title);
  out += ": " + std::to_string(objects) + (objects == 1 ? " object, " : " objects, ") +
         std::to_string(selected) + " selected\n";
  return out + tree;
}

int RunInfo(const InfoRequest& request) {
  Scene scene;
  const Document& document = ReadSceneFile(request.scene, scene);
  WriteOutput("-", SceneTree(document, request.scene));
  return kExitDone;
}

}  // namespace standin
