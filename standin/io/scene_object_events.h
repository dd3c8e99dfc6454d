// The object reader's events for objects, arrays, keys, strings and bools,
// and the stack of frames they open and close.
#pragma once

#include <algorithm>
#include <charconv>
#include <string>

#include "base/fault_ahead.h"
#include "base/large_pages.h"
#include "io/scene_handler.h"
#include "io/scene_text_errors.h"
#include "io/tuple_halves.h"
#include "io/tuple_lists.h"
#include "scene/rotation.h"

namespace standin::scene_reading {

// The shortest text of a valid point, tangent and polygon.
inline constexpr size_t kShortestPoint = std::string_view("[0,0,0]").size();
inline constexpr size_t kShortestTangent = std::string_view("[0,0,0,0,0,0]").size();
inline constexpr size_t kShortestPolygon = std::string_view("[0,0,0,0]").size();

inline bool ParseInt32(std::string_view text, int32_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

inline Matrix ComposeTransform(const Vec3& position, const Vec3& rotation, const Vec3& scale) {
  Matrix m = HpbToMatrix(rotation);
  const auto scaled = [](const Vec3& v, double s) { return Vec3{v.x * s, v.y * s, v.z * s}; };
  m.off = position;
  m.v1 = scaled(m.v1, scale.x);
  m.v2 = scaled(m.v2, scale.y);
  m.v3 = scaled(m.v3, scale.z);
  return m;
}

// Sizes `list` once for the `count` elements expected, in memory backed by
// large pages where it is large.
template <typename T>
inline void ReserveAhead(std::vector<T>& list, size_t count) {
  list.reserve(count);
  AdviseLargePages(list.data(), list.capacity() * sizeof(T));
}

// The keys a JSON object of `kind` takes; none for parameters (their keys
// are ids) and arrays.
inline std::span<const KeyName> KeysOf(FrameKind kind) {
  switch (kind) {
    case FrameKind::kTop:
      return kTopKeyNames;
    case FrameKind::kRecord:
      return kRecordKeyNames;
    case FrameKind::kTransform:
      return kTransformKeyNames;
    case FrameKind::kColor:
      return kColorKeyNames;
    case FrameKind::kCurveValue:
      return kCurveKeyNames;
    default:
      return {};
  }
}

inline bool SceneHandler::Bool(bool value) {
  const Slot slot = BeginValue();
  switch (slot) {
    case Slot::kSelected:
      Top().object->selected = value;
      return true;
    case Slot::kXray:
      Top().object->data.color.xray = value;
      return true;
    case Slot::kParam:
      Params()[Top().param] = value;
      return true;
    default:
      return Mismatch(slot, Found::kBool);
  }
}

inline bool SceneHandler::String(const char* text, rapidjson::SizeType length, bool) {
  const std::string_view value(text, length);
  if (HoldsSurrogate(value)) return FailAtLoneSurrogate();
  const Slot slot = BeginValue();
  switch (slot) {
    case Slot::kFormat:
      return value == "vitrel-scene" ? true : Fail(PathToValue(), "format must be \"vitrel-scene\"");
    case Slot::kName:
      Top().object->data.name.assign(value);
      return true;
    default:
      return Mismatch(slot, Found::kString);
  }
}

inline bool SceneHandler::StartObject() {
  const Slot slot = BeginValue();
  switch (slot) {
    case Slot::kTopLevel:
      return Push(FrameKind::kTop, Slot::kNone);
    case Slot::kRecord:
      return StartRecord();
    case Slot::kTransform:
      position_ = rotation_ = Vec3{};
      scale_ = Vec3{1, 1, 1};
      return Push(FrameKind::kTransform, Slot::kNone);
    case Slot::kColor:
      return Push(FrameKind::kColor, Slot::kNone);
    case Slot::kParams:
      return Push(FrameKind::kParams, Slot::kNone);
    case Slot::kParam:
      curve_.knots.clear();
      return Push(FrameKind::kCurveValue, Slot::kNone);
    default:
      return Mismatch(slot, Found::kObject);
  }
}

inline bool SceneHandler::StartRecord() {
  Object* op = scene_.NewObject(0);
  if (Object* parent = Top().object) {
    LinkOutside(op, parent);
  } else {
    top_level_.push_back(op);
  }
  return Push(FrameKind::kRecord, Slot::kNone, op);
}

inline bool SceneHandler::Key(const char* text, rapidjson::SizeType length, bool) {
  Frame& frame = Top();
  const std::string_view key(text, length);
  if (HoldsSurrogate(key)) return FailAtLoneSurrogate();
  if (frame.kind == FrameKind::kParams) {
    int32_t id = 0;
    if (!ParseInt32(key, id) || std::to_string(id) != key) {
      return Fail(JoinPath(PathToFrame(), KeySegment(key)), "a parameter id is a decimal 32-bit integer");
    }
    frame.param = id;
    frame.slot = Slot::kParam;
    return Params().contains(id) ? Fail(PathToValue(), "duplicate parameter id") : true;
  }
  const std::span<const KeyName> keys = KeysOf(frame.kind);
  const auto known = std::find_if(keys.begin(), keys.end(), [&](const KeyName& k) { return k.name == key; });
  if (known == keys.end()) return Fail(JoinPath(PathToFrame(), KeySegment(key)), "unknown key");
  frame.slot = known->slot;
  if (frame.seen & Bit(frame.slot)) return Fail(PathToValue(), "duplicate key");
  const uint32_t placement = Bit(Slot::kMatrix) | Bit(Slot::kTransform);
  if ((frame.seen & placement) && (Bit(frame.slot) & placement)) {
    return Fail(PathToValue(), "matrix and transform exclude each other");
  }
  frame.seen |= Bit(frame.slot);
  return true;
}

inline bool SceneHandler::EndObject(rapidjson::SizeType) {
  const Frame& frame = Top();
  switch (frame.kind) {
    case FrameKind::kTop:
      if (!CheckTop(frame)) return false;
      break;
    case FrameKind::kRecord:
      if (!(frame.seen & Bit(Slot::kType))) return Fail(PathToFrame(), "missing key \"type\"");
      if (!CheckRecord(*frame.object)) return false;
      break;
    case FrameKind::kTransform:
      frame.object->data.matrix = ComposeTransform(position_, rotation_, scale_);
      break;
    case FrameKind::kCurveValue:
      if (!(frame.seen & Bit(Slot::kCurve))) return Fail(PathToFrame(), "missing key \"curve\"");
      Params()[stack_[stack_.size() - 2].param] = std::move(curve_);
      break;
    default:
      break;
  }
  stack_.pop_back();
  return true;
}

inline bool SceneHandler::StartArray() {
  const Slot slot = BeginValue();
  switch (slot) {
    case Slot::kObjects:
    case Slot::kChildren:
      return Push(FrameKind::kRecords, Slot::kRecord);
    case Slot::kPoints:
      return ReadList<3, double>(Top().object->data.points, Slot::kPoint, kShortestPoint, [](const auto& n) {
        return Vec3{n[0], n[1], n[2]};
      });
    case Slot::kTangents:
      return ReadList<6, double>(Top().object->data.tangents, Slot::kTangent, kShortestTangent,
                                 [](const auto& n) {
                                   return Tangent{{n[0], n[1], n[2]}, {n[3], n[4], n[5]}};
                                 });
    case Slot::kPolygons:
      return ReadList<4, int32_t>(Top().object->data.polygons, Slot::kPolygon, kShortestPolygon,
                                  [](const auto& n) {
                                    return Polygon{n[0], n[1], n[2], n[3]};
                                  });
    case Slot::kCurve:
      return Push(FrameKind::kList, Slot::kKnot);
    default:
      return RowOf(slot).tuple_size != 0 ? Push(FrameKind::kTuple, slot) : Mismatch(slot, Found::kArray);
  }
}

inline bool SceneHandler::EndArray(rapidjson::SizeType) {
  const Frame& frame = Top();
  if (frame.kind == FrameKind::kTuple) {
    if (frame.count != RowOf(frame.slot).tuple_size) return TupleSizeError();
    StoreTuple(frame.slot);
  }
  stack_.pop_back();
  return true;
}

// Opens the list of a point object's tuples, sized once for the tuples
// ahead (the parser takes the array's opening bracket once StartArray
// returns), and reads it at once when it is in plain form, a long one on
// two threads: the parser then finds only its closing bracket. Anything
// else is left to the parser (through the frame pushed here), which finds
// the error and its place.
template <size_t N, typename Number, typename T, typename MakeElement>
inline bool SceneHandler::ReadList(std::optional<std::vector<T>>& slot, Slot element, size_t shortest_tuple,
                                   MakeElement make) {
  std::vector<T>& list = slot.emplace();
  const std::string_view elements = stream_.Ahead().substr(1);  // past the opening bracket
  const TupleRun ahead = CountTuples(elements, shortest_tuple);
  ReserveAhead(list, ahead.count);
  if (!Push(FrameKind::kList, element)) return false;
  if (const std::optional<size_t> close = ReadTuplesOnTwoThreads<N, Number>(elements, ahead, list, make)) {
    stream_.Skip(*close);
    return true;
  }
  const FaultAhead ready(list.data(), list.capacity() * sizeof(T));
  const std::optional<size_t> close = ReadTuples<N, Number>(
      elements, [&](const std::array<Number, N>& numbers) { list.push_back(make(numbers)); });
  if (!close) {
    list.clear();
    return true;
  }
  // The parser takes one byte (its opening bracket, as it thinks) once
  // this returns: the byte before the closing bracket stands in for it.
  stream_.Skip(*close);
  return true;
}

// Counts the value about to be read into its array and says what it is.
inline Slot SceneHandler::BeginValue() {
  if (stack_.empty()) return Slot::kTopLevel;
  Frame& frame = Top();
  if (!IsArray(frame.kind)) return frame.slot;
  ++frame.count;
  if (frame.kind != FrameKind::kTuple) return frame.slot;
  return frame.slot == Slot::kPolygon ? Slot::kTupleInt : Slot::kTupleFloat;
}

inline bool SceneHandler::Push(FrameKind kind, Slot slot, Object* object) {
  if (stack_.size() >= kMaxSceneNesting) {
    error_ = "nesting deeper than " + std::to_string(kMaxSceneNesting) + " levels";
    error_has_offset_ = true;
    error_offset_ = stream_.Tell();  // the parser takes the bracket once this returns
    return false;
  }
  if (object == nullptr && !stack_.empty()) object = Top().object;
  if (stack_.size() == stack_.capacity()) GrowStack();
  stack_.push_back(Frame{.kind = kind, .slot = slot, .object = object});
  return true;
}

// Doubles the room for frames, in fresh memory advised for large pages
// before the frames are copied in: a deep hierarchy holds hundreds of
// thousands of them.
inline void SceneHandler::GrowStack() {
  std::vector<Frame> larger;
  larger.reserve(std::max<size_t>(64, 2 * stack_.capacity()));
  AdviseLargePages(larger.data(), larger.capacity() * sizeof(Frame));
  larger.assign(stack_.begin(), stack_.end());
  stack_.swap(larger);
}

}  // namespace standin::scene_reading
