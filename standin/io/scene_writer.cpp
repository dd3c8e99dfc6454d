#include "io/scene_writer.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "io/json_text.h"
#include "io/output_file.h"

namespace standin {
namespace {

// Deeper levels keep this indentation, so that a deep hierarchy does not
// make the file grow with the square of its depth.
constexpr size_t kDeepestIndent = 32;

// Where an object sits in the file: "objects[0].children[2]".
std::string RecordPath(const Object& op) {
  std::vector<size_t> indices;
  for (const Object* at = &op; at != nullptr; at = at->parent) {
    size_t index = 0;
    for (const Object* before = at->prev; before != nullptr; before = before->prev) ++index;
    indices.push_back(index);
  }
  std::string path = "objects";
  for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
    if (it != indices.rbegin()) path += ".children";
    path += '[' + std::to_string(*it) + ']';
  }
  return path;
}

class SceneText {
 public:
  std::string& text() { return text_; }

  void Line(size_t level) {
    text_ += '\n';
    text_.append(2 * std::min(level, kDeepestIndent), ' ');
  }

  void Key(size_t level, std::string_view key) {
    Line(level);
    text_ += '"';
    text_ += key;
    text_ += "\": ";
  }

  // The keys of one object, each line at `level`, up to the opening bracket
  // of its children.
  void Fields(const Object& op, size_t level) {
    const ObjectData& data = op.data;
    op_ = &op;
    Key(level, "name");
    AppendJsonString(text_, data.name);
    Field(level, "type");
    text_ += std::to_string(op.type);
    Field(level, "matrix");
    const Matrix& m = data.matrix;
    Numbers("matrix", {m.off.x, m.off.y, m.off.z, m.v1.x, m.v1.y, m.v1.z, m.v2.x, m.v2.y, m.v2.z, m.v3.x,
                       m.v3.y, m.v3.z});
    Field(level, "params");
    Params(data.params, level);
    if (data.points) {
      Field(level, "points");
      List(*data.points, level, "points", [this](const Vec3& p, std::string_view at) {
        Numbers(at, {p.x, p.y, p.z});
      });
    }
    if (data.tangents) {
      Field(level, "tangents");
      List(*data.tangents, level, "tangents", [this](const Tangent& t, std::string_view at) {
        Numbers(at, {t.left.x, t.left.y, t.left.z, t.right.x, t.right.y, t.right.z});
      });
    }
    if (data.polygons) {
      Field(level, "polygons");
      List(*data.polygons, level, "polygons", [this](const Polygon& p, std::string_view) {
        text_ += '[' + std::to_string(p.a) + ", " + std::to_string(p.b) + ", " + std::to_string(p.c) + ", " +
                 std::to_string(p.d) + ']';
      });
    }
    Field(level, "vector");
    Numbers("vector", {data.vector.x, data.vector.y, data.vector.z});
    Field(level, "color");
    text_ += "{\"mode\": " + std::to_string(data.color.mode) + ", \"color\": ";
    Numbers("color.color", {data.color.color.x, data.color.color.y, data.color.color.z});
    text_ += data.color.xray ? ", \"xray\": true}" : ", \"xray\": false}";
    Field(level, "selected");
    text_ += op.selected ? "true" : "false";
    Field(level, "children");
    text_ += '[';
  }

 private:
  // A key after the first one of an object.
  void Field(size_t level, std::string_view key) {
    text_ += ',';
    Key(level, key);
  }

  void Float(double value, std::string_view at) {
    if (!std::isfinite(value))
      throw SceneWriteError(RecordPath(*op_) + '.' + std::string(at) + ": number is not finite");
    AppendJsonFloat(text_, value);
  }

  void Numbers(std::string_view at, std::initializer_list<double> values) {
    text_ += '[';
    for (const double* v = values.begin(); v != values.end(); ++v) {
      if (v != values.begin()) text_ += ", ";
      Float(*v, at);
    }
    text_ += ']';
  }

  // One element per line.
  template <typename T, typename WriteElement>
  void List(const std::vector<T>& elements, size_t level, std::string_view key, WriteElement write) {
    text_ += '[';
    std::string at;
    for (size_t i = 0; i < elements.size(); ++i) {
      if (i > 0) text_ += ',';
      Line(level + 1);
      at.assign(key);
      at += '[' + std::to_string(i) + ']';
      write(elements[i], at);
    }
    if (!elements.empty()) Line(level);
    text_ += ']';
  }

  void Params(const Container& params, size_t level) {
    text_ += '{';
    for (auto it = params.begin(); it != params.end(); ++it) {
      if (it != params.begin()) text_ += ',';
      const std::string id = std::to_string(it->first);
      Key(level + 1, id);
      if (!AppendParamJson(text_, it->second)) {
        throw SceneWriteError(RecordPath(*op_) + ".params." + id + ": number is not finite");
      }
    }
    if (!params.empty()) Line(level);
    text_ += '}';
  }

  std::string text_;
  const Object* op_ = nullptr;  // the object being written, for messages
};

}  // namespace

std::string SceneToJson(const Document& document) {
  SceneText out;
  std::string& text = out.text();
  text = "{\n  \"format\": \"vitrel-scene\",\n  \"version\": 1,\n  \"objects\": [";
  // Depth first without recursion; `level` is the indentation of the
  // current object's braces (its keys are one deeper, its children two).
  const Object* op = document.first();
  size_t level = 2;
  while (op != nullptr) {
    out.Line(level);
    text += '{';
    out.Fields(*op, level + 1);
    if (op->first_child != nullptr) {
      op = op->first_child;
      level += 2;
      continue;
    }
    text += ']';
    // Close objects until one has a later sibling.
    while (true) {
      out.Line(level);
      text += '}';
      if (op->next != nullptr) {
        text += ',';
        op = op->next;
        break;
      }
      op = op->parent;
      if (op == nullptr) break;
      level -= 2;
      out.Line(level + 1);
      text += ']';
    }
  }
  if (document.first() != nullptr) out.Line(1);
  text += "]\n}\n";
  return std::move(text);
}

std::string SceneFileText(const Document& document, std::string_view path) {
  try {
    return SceneToJson(document);
  } catch (const SceneWriteError& error) {
    throw SceneWriteError(std::string(path == "-" ? "<stdout>" : path) + ": " + error.what());
  }
}

void WriteSceneFile(const Document& document, std::string_view path) {
  WriteOutput(path, SceneFileText(document, path));
}

}  // namespace standin
