// The object reader: takes the JSON parser's events for a scene file and
// builds its objects. Its parts live in scene_object_events.h (objects,
// arrays, keys and the frames), scene_number_events.h (numbers and tuples)
// and scene_rules.cpp (the checks between keys, paths and messages). The
// events are inline and reach the compiler with the parser, in
// scene_reader.cpp, because they run for every value of the text.
#pragma once

#include <rapidjson/reader.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/scene_slots.h"
#include "io/scene_stream.h"
#include "scene/document.h"
#include "scene/types.h"

namespace standin::scene_reading {

enum class FrameKind : uint8_t {
  // JSON objects
  kTop,
  kRecord,
  kTransform,
  kColor,
  kParams,
  kCurveValue,
  // JSON arrays
  kRecords,
  kList,
  kTuple,
};

constexpr bool IsArray(FrameKind kind) { return kind >= FrameKind::kRecords; }

// One open JSON object or array. Kept small: a chain of objects holds two
// frames per level.
struct Frame {
  FrameKind kind;
  // Objects: the key whose value is being read. Arrays: what the elements
  // are (for tuples: what the numbers make).
  Slot slot = Slot::kNone;
  uint32_t seen = 0;  // objects: the keys read so far, by Bit(slot)
  int32_t param = 0;  // parameter objects: the id being read
  size_t count = 0;   // arrays: the elements begun so far
  Object* object;     // the object record this frame is part of (null above the first)
};

// A number as the parser reported it. An integer comes with its value
// (clamped to 64 bits) and that value as the nearest double; a float comes as
// its text, parsed only where a float is wanted.
struct NumberRead {
  Found found = Found::kInteger;
  int64_t integer = 0;
  double value = 0;
  std::string_view text;  // empty for an integer the parser gave as a value
};

// Receives the parser's events and builds the objects with an explicit
// stack of frames, so that no depth of nesting recurses. Every method
// returns false to stop the parser at the first broken rule.
class SceneHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, SceneHandler> {
 public:
  SceneHandler(Scene& scene, SceneStream& stream) : scene_(scene), stream_(stream) {}

  // The top-level objects read, in order; each is linked to its children
  // outside any document until the whole text has been read.
  const std::vector<Object*>& top_level() const { return top_level_; }

  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }
  // Whether the error is about a place in the text rather than a rule.
  bool error_has_offset() const { return error_has_offset_; }
  size_t error_offset() const { return error_offset_; }

  bool Null() { return Mismatch(BeginValue(), Found::kNull); }
  bool Bool(bool value);
  // Numbers. The parser gives an integer's exact value (only negative ones
  // through Int, so an Int of 0 was written "-0"); a float, or an integer
  // beyond 64 bits, is read from its text where a float is wanted.
  bool Int(int value);
  bool Uint(unsigned value);
  bool Int64(int64_t value);
  bool Uint64(uint64_t value);
  bool Double(double);
  bool String(const char* text, rapidjson::SizeType length, bool);
  bool StartObject();
  bool Key(const char* text, rapidjson::SizeType length, bool);
  bool EndObject(rapidjson::SizeType);
  bool StartArray();
  bool EndArray(rapidjson::SizeType);

 private:
  Frame& Top() { return stack_.back(); }
  Container& Params() { return Top().object->data.params; }

  // Frames and lists (scene_object_events.h).
  Slot BeginValue();
  bool Push(FrameKind kind, Slot slot, Object* object = nullptr);
  void GrowStack();
  bool StartRecord();
  template <size_t N, typename Number, typename T, typename MakeElement>
  bool ReadList(std::optional<std::vector<T>>& slot, Slot element, size_t shortest_tuple, MakeElement make);

  // Numbers and tuples (scene_number_events.h).
  bool ReadNumber(const NumberRead& number);
  bool ReadParamNumber(const NumberRead& number);
  NumberRead TextJustRead() const;
  bool ReadInteger(const NumberRead& number, Slot slot, int32_t& value);
  bool ReadFloat(const NumberRead& number, double& value);
  bool TupleHasRoom();
  bool TupleSizeError();
  void StoreTuple(Slot slot);

  // Rules, paths and messages (scene_rules.cpp).
  bool CheckTop(const Frame& frame);
  bool CheckRecord(const Object& op);
  bool CheckPolygons(const ObjectData& data, size_t point_count);
  bool FailAtLoneSurrogate();
  std::string PathThrough(size_t frames) const;
  std::string PathToValue() const { return PathThrough(stack_.size()); }
  std::string PathToFrame() const { return PathThrough(stack_.empty() ? 0 : stack_.size() - 1); }
  bool Mismatch(Slot slot, Found found);
  bool Fail(const std::string& path, const std::string& message);

  Scene& scene_;
  SceneStream& stream_;  // moved on past a list read at once
  std::vector<Object*> top_level_;
  std::vector<Frame> stack_;
  // The numbers of the tuple being read (tuples never nest).
  std::array<double, 12> numbers_{};
  std::array<int32_t, 4> indices_{};
  // The transform and the curve value being read (neither nests).
  Vec3 position_, rotation_, scale_;
  SplineCurve curve_;
  std::string error_;
  bool error_has_offset_ = false;
  size_t error_offset_ = 0;
};

// A key as it appears in a path: plain when it is a simple word, else quoted
// (and shortened, so that a message stays one short line).
std::string KeySegment(std::string_view key);

// `path` with `key` added as its last part.
std::string JoinPath(std::string path, std::string_view key);

}  // namespace standin::scene_reading
