// The rules between keys, checked once an object is whole, and the paths and
// messages that say where a rule is broken.
#include <algorithm>
#include <string>

#include "base/quoted_text.h"
#include "io/scene_handler.h"
#include "io/scene_text_errors.h"

namespace standin::scene_reading {

std::string KeySegment(std::string_view key) {
  const bool plain =
      !key.empty() && key.size() <= kLongestQuotedText && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
               c == '-';
      });
  return plain ? std::string(key) : QuoteForMessage(key);
}

std::string JoinPath(std::string path, std::string_view key) {
  if (!path.empty()) path += '.';
  path += key;
  return path;
}

bool SceneHandler::CheckTop(const Frame& frame) {
  for (const Slot key : kTopKeys) {
    if (!(frame.seen & Bit(key))) return Fail({}, "missing key \"" + std::string(RowOf(key).key) + "\"");
  }
  return true;
}

// The rules between the keys of one object record, checked once all its
// keys are read (they may come in any order).
bool SceneHandler::CheckRecord(const Object& op) {
  const ObjectData& data = op.data;
  const size_t point_count = data.points ? data.points->size() : 0;
  if (data.points && !IsInstanceOf(op.type, kPointObject)) {
    return Fail(JoinPath(PathToFrame(), "points"), "only point objects (instances of type 5156) have points");
  }
  if (data.polygons) {
    if (op.type != kPolygonObject) {
      return Fail(JoinPath(PathToFrame(), "polygons"), "only polygon objects (type 5100) have polygons");
    }
    if (!CheckPolygons(data, point_count)) return false;
  }
  if (data.tangents) {
    if (op.type != kSplineObject) {
      return Fail(JoinPath(PathToFrame(), "tangents"), "only spline objects (type 5101) have tangents");
    }
    if (data.tangents->size() != point_count) {
      return Fail(JoinPath(PathToFrame(), "tangents"),
                  "tangent count " + std::to_string(data.tangents->size()) + " differs from point count " +
                      std::to_string(point_count));
    }
  }
  return true;
}

bool SceneHandler::CheckPolygons(const ObjectData& data, size_t point_count) {
  for (size_t i = 0; i < data.polygons->size(); ++i) {
    const Polygon& p = (*data.polygons)[i];
    for (const int32_t index : {p.a, p.b, p.c, p.d}) {
      if (index < 0 || static_cast<size_t>(index) >= point_count) {
        return Fail(JoinPath(PathToFrame(), "polygons[" + std::to_string(i) + "]"),
                    "index " + std::to_string(index) + " is not below the point count " +
                        std::to_string(point_count));
      }
    }
  }
  return true;
}

// The string just read (the stream is past its closing quote).
bool SceneHandler::FailAtLoneSurrogate() {
  error_ = kUnpairedSurrogate;
  error_has_offset_ = true;
  error_offset_ = LoneLowSurrogateOffset(stream_.Whole(), stream_.Tell() - 1);
  return false;
}

// Paths: each open frame adds the place of what is being read inside it.
std::string SceneHandler::PathThrough(size_t frames) const {
  std::string path;
  for (size_t i = 0; i < frames; ++i) {
    const Frame& frame = stack_[i];
    if (IsArray(frame.kind)) {
      path += '[' + std::to_string(frame.count - 1) + ']';
    } else if (frame.slot != Slot::kNone) {
      path = JoinPath(std::move(path), frame.kind == FrameKind::kParams ? std::to_string(frame.param)
                                                                        : std::string(RowOf(frame.slot).key));
    }
  }
  return path;
}

bool SceneHandler::Mismatch(Slot slot, Found found) {
  return Fail(PathToValue(),
              "expected " + std::string(RowOf(slot).expected) + ", found " + std::string(FoundText(found)));
}

bool SceneHandler::Fail(const std::string& path, const std::string& message) {
  error_ = path.empty() ? message : path + ": " + message;
  return false;
}

}  // namespace standin::scene_reading
