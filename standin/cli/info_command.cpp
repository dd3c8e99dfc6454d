#include "cli/info_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>
#include <vector>

#include "io/json_text.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "journal/journal.h"
#include "render/scene_view.h"
#include "scene/rotation.h"
#include "scene/types.h"
#include "session/exit_status.h"

namespace standin {
namespace {

// Deeper levels keep this indentation, so that a deep hierarchy does not
// make the output grow with the square of its depth.
constexpr size_t kDeepestIndent = 32;

void Indent(std::string& out, size_t depth) { out.append(2 * std::min(depth, kDeepestIndent), ' '); }

// Visits every object in document order without recursion: `enter` on the
// way down, `leave` once all of the object's children are done.
template <typename Enter, typename Leave>
void WalkTree(const Document& document, Enter enter, Leave leave) {
  size_t depth = 0;
  const Object* op = document.first();
  while (op != nullptr) {
    enter(*op, depth);
    if (op->first_child != nullptr) {
      op = op->first_child;
      ++depth;
      continue;
    }
    while (op != nullptr) {
      leave(*op, depth);
      if (op->next != nullptr) {
        op = op->next;
        break;
      }
      op = op->parent;
      if (op != nullptr) --depth;
    }
  }
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

Vec3 Scale(const Matrix& m) { return {Length(m.v1), Length(m.v2), Length(m.v3)}; }

// Six significant digits, as people read them; negative zero as 0.
void AppendReadable(std::string& out, double value) {
  if (value == 0) value = 0;
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
  out.append(text, end);
}

void AppendTriple(std::string& out, std::string_view label, const Vec3& v) {
  out += "  ";
  out += label;
  out += " (";
  AppendReadable(out, v.x);
  out += ", ";
  AppendReadable(out, v.y);
  out += ", ";
  AppendReadable(out, v.z);
  out += ')';
}

void AppendCount(std::string& out, size_t count, std::string_view noun) {
  out += "  " + std::to_string(count) + ' ';
  out += noun;
  if (count != 1) out += 's';
}

void AppendObjectLine(std::string& out, const Object& op, size_t depth, bool params) {
  Indent(out, depth);
  if (depth > kDeepestIndent) out += "[depth " + std::to_string(depth) + "] ";
  AppendJsonString(out, op.data.name);
  const std::string id = "type " + std::to_string(op.type);
  const std::string type_name = TypeName(op.type);
  out += "  " + type_name;
  if (type_name != id) out += " (" + id + ')';
  const Matrix& m = op.data.matrix;
  AppendTriple(out, "position", m.off);
  AppendTriple(out, "rotation (deg)", Degrees(MatrixToHpb(m)));
  AppendTriple(out, "scale", Scale(m));
  if (op.data.points) AppendCount(out, op.data.points->size(), "point");
  if (op.data.tangents) AppendCount(out, op.data.tangents->size(), "tangent");
  if (op.data.polygons) AppendCount(out, op.data.polygons->size(), "polygon");
  if (op.selected) out += "  selected";
  out += '\n';
  if (!params) return;
  Indent(out, depth + 1);
  out += "params:";
  if (op.data.params.empty()) out += " none";
  for (const auto& [param_id, value] : op.data.params) {
    out += "  " + std::to_string(param_id) + '=';
    AppendParamJson(out, value);
  }
  out += '\n';
}

// The object's own keys after the opening brace, without its children.
void AppendObjectFields(std::string& out, const Object& op, bool params) {
  out += "\"name\": ";
  AppendJsonString(out, op.data.name);
  out += ", \"type\": " + std::to_string(op.type) + ", \"typeName\": ";
  AppendJsonString(out, TypeName(op.type));
  const Matrix& m = op.data.matrix;
  const Vec3 rotation = Degrees(MatrixToHpb(m)), scale = Scale(m);
  out += ", \"position\": ";
  AppendJsonFloats(out, {m.off.x, m.off.y, m.off.z});
  out += ", \"rotationDegrees\": ";
  AppendJsonFloats(out, {rotation.x, rotation.y, rotation.z});
  out += ", \"scale\": ";
  AppendJsonFloats(out, {scale.x, scale.y, scale.z});
  if (op.data.points) out += ", \"points\": " + std::to_string(op.data.points->size());
  if (op.data.tangents) out += ", \"tangents\": " + std::to_string(op.data.tangents->size());
  if (op.data.polygons) out += ", \"polygons\": " + std::to_string(op.data.polygons->size());
  out += op.selected ? ", \"selected\": true" : ", \"selected\": false";
  if (params) {
    out += ", \"params\": {";
    bool first = true;
    for (const auto& [id, value] : op.data.params) {
      if (!std::exchange(first, false)) out += ", ";
      out += '"' + std::to_string(id) + "\": ";
      AppendParamJson(out, value);
    }
    out += '}';
  }
}

// The object's keys up to the opening bracket of its children.
void AppendObjectJson(std::string& out, const Object& op, bool params) {
  out += '{';
  AppendObjectFields(out, op, params);
  out += ", \"children\": [";
}

// One record of the flat form: its place in the list and in the hierarchy
// (`parent` is the parent's index; none at depth 0), its world placement,
// then the object's own keys.
void AppendRecordJson(std::string& out, const Object& op, size_t index, size_t depth, size_t parent,
                      const Matrix& world, bool params) {
  out += "{\"index\": " + std::to_string(index) + ", \"depth\": " + std::to_string(depth) + ", \"parent\": ";
  out += depth > 0 ? std::to_string(parent) : std::string("null");
  out += ", \"path\": ";
  AppendJsonString(out, ObjectPath(op));
  out += ", \"world\": ";
  AppendJsonFloats(out, {world.off.x, world.off.y, world.off.z, world.v1.x, world.v1.y, world.v1.z,
                         world.v2.x, world.v2.y, world.v2.z, world.v3.x, world.v3.y, world.v3.z});
  out += ", ";
  AppendObjectFields(out, op, params);
  out += '}';
}

struct Counts {
  size_t objects = 0, selected = 0;
  void Add(const Object& op) {
    ++objects;
    if (op.selected) ++selected;
  }
};

// The JSON document of both forms: the scene's title and counts, then
// `items` (one object per line, each led by a line break) under `key`.
std::string JsonDocument(std::string_view title, const Counts& counts, std::string_view key,
                         const std::string& items) {
  std::string out = "{\n  \"scene\": ";
  AppendJsonString(out, title);
  out += ",\n  \"objects\": " + std::to_string(counts.objects) +
         ",\n  \"selected\": " + std::to_string(counts.selected) + ",\n  \"";
  out += key;
  out += "\": [";
  out += items;
  out += items.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

}  // namespace

std::string SceneTree(const Document& document, std::string_view title, bool params) {
  std::string tree;
  Counts counts;
  WalkTree(
      document,
      [&](const Object& op, size_t depth) {
        AppendObjectLine(tree, op, depth, params);
        counts.Add(op);
      },
      [](const Object&, size_t) {});
  std::string out(title);
  out += ": " + std::to_string(counts.objects) + (counts.objects == 1 ? " object, " : " objects, ") +
         std::to_string(counts.selected) + " selected; rotations are heading, pitch, bank in degrees\n";
  return out + tree;
}

std::string SceneTreeJson(const Document& document, std::string_view title, bool params) {
  std::string tree;
  Counts counts;
  WalkTree(
      document,
      [&](const Object& op, size_t depth) {
        if (op.prev != nullptr) tree += ',';
        tree += '\n';
        Indent(tree, depth + 2);
        AppendObjectJson(tree, op, params);
        counts.Add(op);
      },
      [&](const Object& op, size_t depth) {
        if (op.first_child != nullptr) {
          tree += '\n';
          Indent(tree, depth + 2);
        }
        tree += "]}";
      });
  return JsonDocument(title, counts, "tree", tree);
}

std::string SceneRecordsJson(const Document& document, std::string_view title, bool params) {
  std::string records;
  Counts counts;
  // The objects on the way down to the one visited: their index and world
  // placement, one per level.
  struct Level {
    size_t index;
    Matrix world;
  };
  std::vector<Level> path;
  WalkTree(
      document,
      [&](const Object& op, size_t depth) {
        path.resize(depth);
        const Matrix world = depth == 0 ? op.data.matrix : Compose(path.back().world, op.data.matrix);
        const size_t parent = depth == 0 ? 0 : path.back().index;
        records += counts.objects == 0 ? "\n    " : ",\n    ";
        AppendRecordJson(records, op, counts.objects, depth, parent, world, params);
        path.push_back({counts.objects, world});
        counts.Add(op);
      },
      [](const Object&, size_t) {});
  return JsonDocument(title, counts, "records", records);
}

int RunInfo(const InfoRequest& request) {
  Scene scene;
  const Document& document = ReadSceneFile(request.scene, scene);
  std::string_view title = request.scene;
  if (title == "-") title = "<stdin>";
  if (request.flat) {
    WriteOutput("-", SceneRecordsJson(document, title, request.params));
  } else {
    WriteOutput("-", request.json ? SceneTreeJson(document, title, request.params)
                                  : SceneTree(document, title, request.params));
  }
  return kExitDone;
}

}  // namespace standin
