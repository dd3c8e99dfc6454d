#include "io/scene_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "io/json_text.h"
#include "io/output_file.h"
#include "io/span_relay.h"
#include "io/text_blocks.h"

namespace standin {
namespace {

// Deeper levels keep this indentation, so that a deep hierarchy does not
// make the file grow with the square of its depth.
constexpr size_t kDeepestIndent = 32;

// Room for a line break and its indentation; for a comma, a line and a
// short key ("type": ); for an int32_t.
constexpr size_t kLineSize = 1 + 2 * kDeepestIndent;
constexpr size_t kFieldSize = 1 + kLineSize + 16;
constexpr size_t kIntSize = 11;

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

bool Finite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool Finite(const Vec3& v) { return Finite({v.x, v.y, v.z}); }

bool Finite(const Matrix& m) {
  return Finite(
      {m.off.x, m.off.y, m.off.z, m.v1.x, m.v1.y, m.v1.z, m.v2.x, m.v2.y, m.v2.z, m.v3.x, m.v3.y, m.v3.z});
}

bool Finite(const Tangent& t) {
  return Finite({t.left.x, t.left.y, t.left.z, t.right.x, t.right.y, t.right.z});
}

bool Finite(const ParamValue& param) {
  return std::visit(
      [](const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, double>) {
          return std::isfinite(value);
        } else if constexpr (std::is_same_v<T, Vec3>) {
          return Finite({value.x, value.y, value.z});
        } else if constexpr (std::is_same_v<T, SplineCurve>) {
          return std::all_of(value.knots.begin(), value.knots.end(), [](const std::array<double, 2>& knot) {
            return Finite({knot[0], knot[1]});
          });
        } else {
          return true;
        }
      },
      param);
}

// "[5]" for the first element that holds a number that is not finite;
// empty when there is none.
template <typename T>
std::string FirstNotFiniteIndex(const std::vector<T>& elements) {
  const auto bad = std::find_if(elements.begin(), elements.end(), [](const T& e) { return !Finite(e); });
  if (bad == elements.end()) return {};
  return '[' + std::to_string(bad - elements.begin()) + ']';
}

// Where the first number of `op` that no scene file can hold sits, in the
// order the file holds them ("objects[0].points[5]"); empty when every one
// is finite. Messages are made here only, when a number is found.
std::string FirstNotFinite(const Object& op) {
  const ObjectData& data = op.data;
  const auto place = [&op](std::string_view key) { return RecordPath(op) + '.' + std::string(key); };
  if (!Finite(data.matrix)) return place("matrix");
  for (const auto& [id, value] : data.params) {
    if (!Finite(value)) return place("params." + std::to_string(id));
  }
  if (data.points) {
    if (const std::string index = FirstNotFiniteIndex(*data.points); !index.empty())
      return place("points" + index);
  }
  if (data.tangents) {
    if (const std::string index = FirstNotFiniteIndex(*data.tangents); !index.empty())
      return place("tangents" + index);
  }
  if (!Finite(data.vector)) return place("vector");
  if (!Finite(data.color.color)) return place("color.color");
  return {};
}

[[noreturn]] void FailNotFinite(const Object& op) {
  throw SceneWriteError(FirstNotFinite(op) + ": number is not finite");
}

char* Copy(char* at, std::string_view text) {
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

char* Int(char* at, int32_t value) { return std::to_chars(at, at + kIntSize, value).ptr; }

// A line break and the indentation of `level`.
char* Line(char* at, size_t level) {
  *at++ = '\n';
  const size_t spaces = 2 * std::min(level, kDeepestIndent);
  std::memset(at, ' ', spaces);
  return at + spaces;
}

// "key": on a line of its own; the key is short.
char* Key(char* at, size_t level, std::string_view key) {
  at = Line(at, level);
  *at++ = '"';
  at = Copy(at, key);
  return Copy(at, "\": ");
}

// A key after the first one of an object.
char* Field(char* at, size_t level, std::string_view key) {
  *at++ = ',';
  return Key(at, level, key);
}

// [a, b, ...] of finite numbers: at most kJsonFloatMaxSize + 2 bytes each,
// and 2 more.
char* Floats(char* at, std::initializer_list<double> values) {
  *at++ = '[';
  for (const double* v = values.begin(); v != values.end(); ++v) {
    if (v != values.begin()) at = Copy(at, ", ");
    at = WriteJsonFloat(at, *v);
  }
  *at++ = ']';
  return at;
}

constexpr size_t FloatsSize(size_t count) { return count * (kJsonFloatMaxSize + 2) + 2; }

// The scene text, formatted straight into blocks that go to a sink.
class SceneText {
 public:
  explicit SceneText(const TextSink& sink) : out_(sink) {}

  void Write(const Document& document) {
    out_.Append("{\n  \"format\": \"vitrel-scene\",\n  \"version\": 1,\n  \"objects\": [");
    // Depth first without recursion; `level` is the indentation of the
    // current object's braces (its keys are one deeper, its children two).
    const Object* op = document.first();
    size_t level = 2;
    while (op != nullptr) {
      NextLine(level);
      out_.Put('{');
      Fields(*op, level + 1);
      if (op->first_child != nullptr) {
        op = op->first_child;
        level += 2;
        continue;
      }
      out_.Put(']');
      // Close objects until one has a later sibling.
      while (true) {
        NextLine(level);
        out_.Put('}');
        if (op->next != nullptr) {
          out_.Put(',');
          op = op->next;
          break;
        }
        op = op->parent;
        if (op == nullptr) break;
        level -= 2;
        NextLine(level + 1);
        out_.Put(']');
      }
    }
    if (document.first() != nullptr) NextLine(1);
    out_.Append("]\n}\n");
    out_.Flush();
  }

 private:
  void NextLine(size_t level) { out_.Advance(Line(out_.Room(kLineSize), level)); }
  void NextField(size_t level, std::string_view key) {
    out_.Advance(Field(out_.Room(kFieldSize), level, key));
  }

  // The keys of one object, each line at `level`, up to the opening bracket
  // of its children.
  void Fields(const Object& op, size_t level) {
    const ObjectData& data = op.data;
    op_ = &op;
    out_.Advance(Key(out_.Room(kFieldSize), level, "name"));
    scratch_.clear();
    AppendJsonString(scratch_, data.name);
    out_.Append(scratch_);
    if (!Finite(data.matrix)) FailNotFinite(op);
    char* at = out_.Room(2 * kFieldSize + kIntSize + FloatsSize(12));
    at = Int(Field(at, level, "type"), op.type);
    const Matrix& m = data.matrix;
    at = Floats(Field(at, level, "matrix"), {m.off.x, m.off.y, m.off.z, m.v1.x, m.v1.y, m.v1.z, m.v2.x,
                                             m.v2.y, m.v2.z, m.v3.x, m.v3.y, m.v3.z});
    out_.Advance(at);
    NextField(level, "params");
    Params(data.params, level);
    if (data.points) {
      NextField(level, "points");
      List(*data.points, level, [this](char* to, const Vec3& p) {
        if (!Finite(p)) FailNotFinite(*op_);
        return Floats(to, {p.x, p.y, p.z});
      });
    }
    if (data.tangents) {
      NextField(level, "tangents");
      List(*data.tangents, level, [this](char* to, const Tangent& t) {
        if (!Finite(t)) FailNotFinite(*op_);
        return Floats(to, {t.left.x, t.left.y, t.left.z, t.right.x, t.right.y, t.right.z});
      });
    }
    if (data.polygons) {
      NextField(level, "polygons");
      List(*data.polygons, level, [](char* to, const Polygon& p) {
        *to++ = '[';
        to = Copy(Int(to, p.a), ", ");
        to = Copy(Int(to, p.b), ", ");
        to = Copy(Int(to, p.c), ", ");
        to = Int(to, p.d);
        *to++ = ']';
        return to;
      });
    }
    if (!Finite(data.vector) || !Finite(data.color.color)) FailNotFinite(op);
    at = out_.Room(5 * kFieldSize + 2 * FloatsSize(3) + kIntSize + 64);
    at = Floats(Field(at, level, "vector"), {data.vector.x, data.vector.y, data.vector.z});
    at = Int(Copy(Field(at, level, "color"), "{\"mode\": "), data.color.mode);
    at = Floats(Copy(at, ", \"color\": "), {data.color.color.x, data.color.color.y, data.color.color.z});
    at = Copy(at, data.color.xray ? ", \"xray\": true}" : ", \"xray\": false}");
    at = Copy(Field(at, level, "selected"), op.selected ? "true" : "false");
    at = Copy(Field(at, level, "children"), "[");
    out_.Advance(at);
  }

  // One element per line; `write` writes one element of at most
  // FloatsSize(6) bytes and returns its end. A long list is formatted on
  // two threads, so `write` only reads.
  template <typename T, typename WriteElement>
  void List(const std::vector<T>& elements, size_t level, WriteElement write) {
    out_.Put('[');
    FormatInTurns(elements.size(), 1 + kLineSize + FloatsSize(6), out_, [&](char* at, size_t i) {
      if (i > 0) *at++ = ',';
      return write(Line(at, level + 1), elements[i]);
    });
    if (!elements.empty()) NextLine(level);
    out_.Put(']');
  }

  void Params(const Container& params, size_t level) {
    out_.Put('{');
    for (auto it = params.begin(); it != params.end(); ++it) {
      char* at = out_.Room(1 + kLineSize + kIntSize + 4);
      if (it != params.begin()) *at++ = ',';
      at = Line(at, level + 1);
      *at++ = '"';
      out_.Advance(Copy(Int(at, it->first), "\": "));
      scratch_.clear();
      if (!AppendParamJson(scratch_, it->second)) FailNotFinite(*op_);
      out_.Append(scratch_);
    }
    if (!params.empty()) NextLine(level);
    out_.Put('}');
  }

  TextBlocks out_;
  std::string scratch_;         // a name or a parameter's value, escaped
  const Object* op_ = nullptr;  // the object being written, for messages
};

std::string OutputName(std::string_view path) { return std::string(path == "-" ? "<stdout>" : path); }

}  // namespace

void WriteSceneText(const Document& document, const TextSink& sink) { SceneText(sink).Write(document); }

std::string SceneToJson(const Document& document) {
  std::string text;
  WriteSceneText(document, [&text](std::string_view piece) { text.append(piece); });
  return text;
}

void WriteSceneText(const Document& document, std::string_view path, const TextSink& sink) {
  try {
    WriteSceneText(document, sink);
  } catch (const SceneWriteError& error) {
    throw SceneWriteError(OutputName(path) + ": " + error.what());
  }
}

std::string SceneFileText(const Document& document, std::string_view path) {
  std::string text;
  WriteSceneText(document, path, [&text](std::string_view piece) { text.append(piece); });
  return text;
}

void CheckSceneFile(const Document& document, std::string_view path) {
  for (const Object* op = document.first(); op != nullptr; op = NextInDocument(op)) {
    if (const std::string place = FirstNotFinite(*op); !place.empty())
      throw SceneWriteError(OutputName(path) + ": " + place + ": number is not finite");
  }
}

void WriteSceneFile(const Document& document, std::string_view path) {
  // A scene that cannot be written is found before any file is made.
  CheckSceneFile(document, path);
  OutputBatch batch;
  batch.StageProduced(path, [&](const TextSink& sink) { WriteSceneText(document, path, sink); });
  batch.Commit();
}

}  // namespace standin
