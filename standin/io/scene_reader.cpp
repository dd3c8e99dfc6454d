#include "io/scene_reader.h"

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "io/input_file.h"
#include "io/quoted_text.h"
#include "io/tuple_lists.h"
#include "scene/large_pages.h"
#include "scene/rotation.h"
#include "scene/types.h"

namespace standin {
namespace {

// What a JSON value stands for, decided by the key or the array it is in.
enum class Slot : uint8_t {
  kNone,
  kTopLevel,
  // keys of the top-level object
  kFormat,
  kVersion,
  kObjects,
  // keys of an object record
  kName,
  kType,
  kMatrix,
  kTransform,
  kParams,
  kPoints,
  kTangents,
  kPolygons,
  kVector,
  kColor,
  kSelected,
  kChildren,
  // keys of a transform
  kPosition,
  kRotation,
  kScale,
  // keys of a colour record
  kColorMode,
  kColorRgb,
  kXray,
  // a parameter value (its key is the id) and the key of a curve value
  kParam,
  kCurve,
  // elements of arrays
  kRecord,
  kPoint,
  kTangent,
  kPolygon,
  kKnot,
  kTupleFloat,
  kTupleInt,
};

struct KeyName {
  std::string_view name;
  Slot slot;
};

constexpr KeyName kTopKeys[] = {
    {"format", Slot::kFormat}, {"version", Slot::kVersion}, {"objects", Slot::kObjects}};
constexpr KeyName kRecordKeys[] = {
    {"name", Slot::kName},           {"type", Slot::kType},         {"matrix", Slot::kMatrix},
    {"transform", Slot::kTransform}, {"params", Slot::kParams},     {"points", Slot::kPoints},
    {"tangents", Slot::kTangents},   {"polygons", Slot::kPolygons}, {"vector", Slot::kVector},
    {"color", Slot::kColor},         {"selected", Slot::kSelected}, {"children", Slot::kChildren},
};
constexpr KeyName kTransformKeys[] = {
    {"position", Slot::kPosition}, {"rotation", Slot::kRotation}, {"scale", Slot::kScale}};
constexpr KeyName kColorKeys[] = {
    {"mode", Slot::kColorMode}, {"color", Slot::kColorRgb}, {"xray", Slot::kXray}};
constexpr KeyName kCurveKeys[] = {{"curve", Slot::kCurve}};

constexpr uint32_t Bit(Slot slot) { return uint32_t{1} << static_cast<unsigned>(slot); }

std::string_view KeyText(Slot slot) {
  for (std::span<const KeyName> keys :
       {std::span<const KeyName>(kTopKeys), std::span<const KeyName>(kRecordKeys),
        std::span<const KeyName>(kTransformKeys), std::span<const KeyName>(kColorKeys),
        std::span<const KeyName>(kCurveKeys)}) {
    for (const KeyName& key : keys) {
      if (key.slot == slot) return key.name;
    }
  }
  return {};
}

std::string_view Expected(Slot slot) {
  switch (slot) {
    case Slot::kTopLevel:
    case Slot::kRecord:
      return "an object";
    case Slot::kFormat:
    case Slot::kName:
      return "a string";
    case Slot::kVersion:
    case Slot::kType:
    case Slot::kColorMode:
    case Slot::kTupleInt:
      return "an integer";
    case Slot::kObjects:
    case Slot::kChildren:
      return "an array of objects";
    case Slot::kMatrix:
      return "an array of 12 numbers";
    case Slot::kTransform:
      return "an object with position, rotation and scale";
    case Slot::kParams:
      return "an object of parameter values";
    case Slot::kPoints:
      return "an array of points [x, y, z]";
    case Slot::kTangents:
      return "an array of tangents [lx, ly, lz, rx, ry, rz]";
    case Slot::kPolygons:
      return "an array of polygons [a, b, c, d]";
    case Slot::kVector:
    case Slot::kPosition:
    case Slot::kRotation:
    case Slot::kScale:
    case Slot::kColorRgb:
    case Slot::kPoint:
      return "an array of 3 numbers";
    case Slot::kColor:
      return "an object with mode, color and xray";
    case Slot::kSelected:
    case Slot::kXray:
      return "true or false";
    case Slot::kParam:
      return "true, false, a number, [x, y, z] or {\"curve\": [...]}";
    case Slot::kCurve:
      return "an array of knots [x, y]";
    case Slot::kTangent:
      return "an array of 6 numbers";
    case Slot::kPolygon:
      return "an array of 4 integers";
    case Slot::kKnot:
      return "an array of 2 numbers";
    case Slot::kTupleFloat:
      return "a number";
    case Slot::kNone:
      break;
  }
  return "nothing";
}

size_t TupleSize(Slot slot) {
  switch (slot) {
    case Slot::kMatrix:
      return 12;
    case Slot::kTangent:
      return 6;
    case Slot::kPolygon:
      return 4;
    case Slot::kKnot:
      return 2;
    default:
      return 3;
  }
}

// The kinds of JSON value, for messages.
enum class Found : uint8_t { kNull, kBool, kInteger, kFloat, kString, kObject, kArray };

std::string_view FoundText(Found found) {
  switch (found) {
    case Found::kNull:
      return "null";
    case Found::kBool:
      return "true or false";
    case Found::kInteger:
      return "an integer";
    case Found::kFloat:
      return "a float";
    case Found::kString:
      return "a string";
    case Found::kObject:
      return "an object";
    case Found::kArray:
      return "an array";
  }
  return {};
}

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

bool IsArray(FrameKind kind) { return kind >= FrameKind::kRecords; }

std::span<const KeyName> KeysOf(FrameKind kind) {
  switch (kind) {
    case FrameKind::kTop:
      return kTopKeys;
    case FrameKind::kRecord:
      return kRecordKeys;
    case FrameKind::kTransform:
      return kTransformKeys;
    case FrameKind::kColor:
      return kColorKeys;
    case FrameKind::kCurveValue:
      return kCurveKeys;
    default:
      return {};
  }
}

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

bool ParseInt32(std::string_view text, int32_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParseFloat(std::string_view text, double& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// A key as it appears in a path: plain when it is a simple word, else quoted
// (and shortened, so that a message stays one short line).
std::string KeySegment(std::string_view key) {
  const bool plain =
      !key.empty() && key.size() <= kLongestQuotedText && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
               c == '-';
      });
  return plain ? std::string(key) : QuoteForMessage(key);
}

Matrix ComposeTransform(const Vec3& position, const Vec3& rotation, const Vec3& scale) {
  Matrix m = HpbToMatrix(rotation);
  const auto scaled = [](const Vec3& v, double s) { return Vec3{v.x * s, v.y * s, v.z * s}; };
  m.off = position;
  m.v1 = scaled(m.v1, scale.x);
  m.v2 = scaled(m.v2, scale.y);
  m.v3 = scaled(m.v3, scale.z);
  return m;
}

constexpr std::string_view kUnpairedSurrogate =
    "\\u escape of an unpaired surrogate (\\uD800-\\uDBFF must be followed by \\uDC00-\\uDFFF)";

// Whether `decoded` holds the bytes of a surrogate. The parser rejects a lone
// high surrogate escape but decodes a lone low one ("\uDC00" to "\uDFFF")
// into such bytes; raw surrogate bytes fail its UTF-8 check, so these can
// only come from that escape.
bool HoldsSurrogate(std::string_view decoded) {
  for (size_t i = 0; i + 1 < decoded.size(); ++i) {
    if (decoded[i] == '\xED' && static_cast<unsigned char>(decoded[i + 1]) >= 0xA0) return true;
  }
  return false;
}

// Where the first escape of a lone low surrogate starts in the JSON string
// whose closing quote is at `close`.
size_t LoneLowSurrogateOffset(std::string_view json, size_t close) {
  // The opening quote: the nearest quote before that no backslash escapes.
  size_t open = close;
  for (;;) {
    open = json.rfind('"', open - 1);
    size_t backslashes = 0;
    while (backslashes < open && json[open - 1 - backslashes] == '\\') ++backslashes;
    if (backslashes % 2 == 0) break;
  }
  for (size_t at = open + 1; at + 6 <= close; ++at) {
    if (json[at] != '\\') continue;
    if (json[++at] != 'u') continue;
    unsigned code = 0;
    std::from_chars(json.data() + at + 1, json.data() + at + 5, code, 16);
    if (code >= 0xDC00 && code <= 0xDFFF) return at - 1;
    at += code >= 0xD800 && code <= 0xDBFF ? 10 : 4;  // a high surrogate's low half follows
  }
  return close;
}

// Sizes `list` once for the `count` elements expected, in memory backed by
// large pages where it is large.
template <typename T>
void ReserveAhead(std::vector<T>& list, size_t count) {
  list.reserve(count);
  AdviseLargePages(list.data(), list.capacity() * sizeof(T));
}

// A number as the parser reported it. An integer comes with its value
// (clamped to 64 bits) and that value as the nearest double; a float comes as
// its text, parsed only where a float is wanted.
struct NumberRead {
  Found found = Found::kInteger;
  int64_t integer = 0;
  double value = 0;
  std::string_view text;  // empty for an integer the parser gave as a value
};

NumberRead IntegerRead(int64_t integer, double value) {
  return {.found = Found::kInteger, .integer = integer, .value = value, .text = {}};
}

bool IsNumberByte(char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// Receives the parser's events and builds the objects with an explicit
// stack of frames, so that no depth of nesting recurses. Every method
// returns false to stop the parser at the first broken rule.
class SceneHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, SceneHandler> {
 public:
  SceneHandler(Scene& scene, rapidjson::MemoryStream& stream) : scene_(scene), stream_(stream) {}

  // The top-level objects read, in order; each is linked to its children
  // outside any document until the whole text has been read.
  const std::vector<Object*>& top_level() const { return top_level_; }

  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }
  // Whether the error is about a place in the text rather than a rule.
  bool error_has_offset() const { return error_has_offset_; }
  size_t error_offset() const { return error_offset_; }

  bool Null() { return Mismatch(BeginValue(), Found::kNull); }

  bool Bool(bool value) {
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

  // Numbers. The parser gives an integer's exact value (only negative ones
  // through Int, so an Int of 0 was written "-0"); a float, or an integer
  // beyond 64 bits, is read from its text where a float is wanted.
  bool Int(int value) { return ReadNumber(IntegerRead(value, value == 0 ? -0.0 : value)); }
  bool Uint(unsigned value) { return ReadNumber(IntegerRead(value, value)); }
  bool Int64(int64_t value) { return ReadNumber(IntegerRead(value, static_cast<double>(value))); }
  bool Uint64(uint64_t value) {
    const uint64_t largest = std::numeric_limits<int64_t>::max();
    return ReadNumber(
        IntegerRead(static_cast<int64_t>(std::min(value, largest)), static_cast<double>(value)));
  }
  bool Double(double) { return ReadNumber(TextJustRead()); }

  bool String(const char* text, rapidjson::SizeType length, bool) {
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

  bool StartObject() {
    const Slot slot = BeginValue();
    switch (slot) {
      case Slot::kTopLevel:
        return Push(FrameKind::kTop, Slot::kNone);
      case Slot::kRecord: {
        Object* op = scene_.NewObject(0);
        if (Object* parent = Top().object) {
          LinkOutside(op, parent);
        } else {
          top_level_.push_back(op);
        }
        return Push(FrameKind::kRecord, Slot::kNone, op);
      }
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

  bool Key(const char* text, rapidjson::SizeType length, bool) {
    Frame& frame = Top();
    const std::string_view key(text, length);
    if (HoldsSurrogate(key)) return FailAtLoneSurrogate();
    if (frame.kind == FrameKind::kParams) {
      int32_t id = 0;
      if (!ParseInt32(key, id) || std::to_string(id) != key) {
        return Fail(Join(PathToFrame(), KeySegment(key)), "a parameter id is a decimal 32-bit integer");
      }
      frame.param = id;
      frame.slot = Slot::kParam;
      return Params().contains(id) ? Fail(PathToValue(), "duplicate parameter id") : true;
    }
    const std::span<const KeyName> keys = KeysOf(frame.kind);
    const auto known =
        std::find_if(keys.begin(), keys.end(), [&](const KeyName& k) { return k.name == key; });
    if (known == keys.end()) return Fail(Join(PathToFrame(), KeySegment(key)), "unknown key");
    frame.slot = known->slot;
    if (frame.seen & Bit(frame.slot)) return Fail(PathToValue(), "duplicate key");
    const uint32_t placement = Bit(Slot::kMatrix) | Bit(Slot::kTransform);
    if ((frame.seen & placement) && (Bit(frame.slot) & placement)) {
      return Fail(PathToValue(), "matrix and transform exclude each other");
    }
    frame.seen |= Bit(frame.slot);
    return true;
  }

  bool EndObject(rapidjson::SizeType) {
    const Frame& frame = Top();
    switch (frame.kind) {
      case FrameKind::kTop:
        for (const KeyName& key : kTopKeys) {
          if (!(frame.seen & Bit(key.slot))) return Fail({}, "missing key \"" + std::string(key.name) + "\"");
        }
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

  bool StartArray() {
    const Slot slot = BeginValue();
    switch (slot) {
      case Slot::kObjects:
      case Slot::kChildren:
        return Push(FrameKind::kRecords, Slot::kRecord);
      case Slot::kPoints:
        return ReadList<3, double>(Top().object->data.points, Slot::kPoint, kShortestPoint,
                                   [](const auto& n) {
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
      case Slot::kMatrix:
      case Slot::kVector:
      case Slot::kPosition:
      case Slot::kRotation:
      case Slot::kScale:
      case Slot::kColorRgb:
      case Slot::kParam:
      case Slot::kPoint:
      case Slot::kTangent:
      case Slot::kPolygon:
      case Slot::kKnot:
        return Push(FrameKind::kTuple, slot);
      default:
        return Mismatch(slot, Found::kArray);
    }
  }

  bool EndArray(rapidjson::SizeType) {
    const Frame& frame = Top();
    if (frame.kind == FrameKind::kTuple) {
      if (frame.count != TupleSize(frame.slot)) return TupleSizeError();
      StoreTuple(frame.slot);
    }
    stack_.pop_back();
    return true;
  }

 private:
  Frame& Top() { return stack_.back(); }
  Container& Params() { return Top().object->data.params; }

  // The shortest text of a valid point, tangent and polygon.
  static constexpr size_t kShortestPoint = std::string_view("[0,0,0]").size();
  static constexpr size_t kShortestTangent = std::string_view("[0,0,0,0,0,0]").size();
  static constexpr size_t kShortestPolygon = std::string_view("[0,0,0,0]").size();

  // How many tuples the array opening at the stream appears to hold (the
  // parser takes its bracket once StartArray returns): a capacity hint, so
  // that a long list is stored without being moved as it grows.
  size_t TuplesAhead(size_t shortest_tuple) const {
    const char* const elements = stream_.src_ + 1;
    return CountTuples(std::string_view(elements, static_cast<size_t>(stream_.end_ - elements)),
                       shortest_tuple);
  }

  // Opens the list of a point object's tuples, sized once for the tuples
  // ahead, and reads it at once when it is in plain form: the parser then
  // finds only its closing bracket. Anything else is left to the parser
  // (through the frame pushed here), which finds the error and its place.
  template <size_t N, typename Number, typename T, typename MakeElement>
  bool ReadList(std::optional<std::vector<T>>& slot, Slot element, size_t shortest_tuple, MakeElement make) {
    std::vector<T>& list = slot.emplace();
    ReserveAhead(list, TuplesAhead(shortest_tuple));
    if (!Push(FrameKind::kList, element)) return false;
    const char* const elements = stream_.src_ + 1;  // past the opening bracket
    const std::optional<size_t> close =
        ReadTuples<N, Number>(std::string_view(elements, static_cast<size_t>(stream_.end_ - elements)),
                              [&](const std::array<Number, N>& numbers) { list.push_back(make(numbers)); });
    if (!close) {
      list.clear();
      return true;
    }
    // The parser takes one byte (its opening bracket, as it thinks) once
    // this returns: the byte before the closing bracket stands in for it.
    stream_.src_ = elements + *close - 1;
    return true;
  }

  // Counts the value about to be read into its array and says what it is.
  Slot BeginValue() {
    if (stack_.empty()) return Slot::kTopLevel;
    Frame& frame = Top();
    if (!IsArray(frame.kind)) return frame.slot;
    ++frame.count;
    if (frame.kind != FrameKind::kTuple) return frame.slot;
    return frame.slot == Slot::kPolygon ? Slot::kTupleInt : Slot::kTupleFloat;
  }

  bool Push(FrameKind kind, Slot slot, Object* object = nullptr) {
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
  void GrowStack() {
    std::vector<Frame> larger;
    larger.reserve(std::max<size_t>(64, 2 * stack_.capacity()));
    AdviseLargePages(larger.data(), larger.capacity() * sizeof(Frame));
    larger.assign(stack_.begin(), stack_.end());
    stack_.swap(larger);
  }

  // The string just read (the stream is past its closing quote).
  bool FailAtLoneSurrogate() {
    error_ = kUnpairedSurrogate;
    error_has_offset_ = true;
    error_offset_ = LoneLowSurrogateOffset({stream_.begin_, stream_.size_}, stream_.Tell() - 1);
    return false;
  }

  bool TupleHasRoom() { return Top().count <= TupleSize(Top().slot) ? true : TupleSizeError(); }

  bool TupleSizeError() {
    const Frame& frame = Top();
    const std::string_view noun = frame.slot == Slot::kPolygon ? " indices" : " numbers";
    std::string message = "expected " + std::to_string(TupleSize(frame.slot)) + std::string(noun);
    if (frame.count < TupleSize(frame.slot)) message += ", found " + std::to_string(frame.count);
    return Fail(PathToFrame(), message);
  }

  // The number just read, then stored where its slot says.
  bool ReadNumber(const NumberRead& number) {
    const Slot slot = BeginValue();
    switch (slot) {
      case Slot::kTupleFloat:
        return TupleHasRoom() && ReadFloat(number, numbers_[Top().count - 1]);
      case Slot::kTupleInt:
        return TupleHasRoom() && ReadInteger(number, slot, indices_[Top().count - 1]);
      case Slot::kVersion: {
        int32_t version = 0;
        if (!ReadInteger(number, slot, version)) return false;
        if (version != 1) {
          return Fail(PathToValue(),
                      "version " + std::to_string(version) + " is not supported (this host reads 1)");
        }
        return true;
      }
      case Slot::kType:
        return ReadInteger(number, slot, Top().object->type);
      case Slot::kColorMode: {
        int32_t& mode = Top().object->data.color.mode;
        if (!ReadInteger(number, slot, mode)) return false;
        return mode >= 0 && mode <= 3 ? true : Fail(PathToValue(), "mode must be 0, 1, 2 or 3");
      }
      case Slot::kParam: {
        ParamValue& value = Params()[Top().param];
        if (number.found == Found::kInteger) {
          int32_t i = 0;
          if (!ReadInteger(number, slot, i)) return false;
          value = i;
        } else {
          double d = 0;
          if (!ReadFloat(number, d)) return false;
          value = d;
        }
        return true;
      }
      default:
        return Mismatch(slot, number.found);
    }
  }

  // The number whose text ends where the stream stands: a float, or an
  // integer too long for 64 bits (found by the text having neither fraction
  // nor exponent). The bytes before a number never belong to one.
  NumberRead TextJustRead() const {
    const char* const end = stream_.src_;
    const char* start = end;
    bool integer = true;
    while (start > stream_.begin_ && IsNumberByte(start[-1])) {
      --start;
      if (*start == '.' || *start == 'e' || *start == 'E') integer = false;
    }
    NumberRead number{.found = integer ? Found::kInteger : Found::kFloat,
                      .text = std::string_view(start, static_cast<size_t>(end - start))};
    if (integer) number.integer = std::numeric_limits<int64_t>::max();  // beyond every 32-bit integer
    return number;
  }

  bool ReadInteger(const NumberRead& number, Slot slot, int32_t& value) {
    if (number.found != Found::kInteger) return Mismatch(slot, number.found);
    if (number.integer < std::numeric_limits<int32_t>::min() ||
        number.integer > std::numeric_limits<int32_t>::max()) {
      return Fail(PathToValue(), "integer outside the 32-bit range");
    }
    value = static_cast<int32_t>(number.integer);
    return true;
  }

  // std::from_chars gives the double nearest to the text, so that every
  // value reads back exactly as it was written.
  bool ReadFloat(const NumberRead& number, double& value) {
    if (number.text.empty()) {
      value = number.value;
      return true;
    }
    return ParseFloat(number.text, value) ? true
                                          : Fail(PathToValue(), "number outside the range of a 64-bit float");
  }

  void StoreTuple(Slot slot) {
    Object& op = *Top().object;
    const auto vec = [this](size_t first) {
      return Vec3{numbers_[first], numbers_[first + 1], numbers_[first + 2]};
    };
    switch (slot) {
      case Slot::kMatrix:
        op.data.matrix = Matrix{vec(0), vec(3), vec(6), vec(9)};
        break;
      case Slot::kVector:
        op.data.vector = vec(0);
        break;
      case Slot::kPosition:
        position_ = vec(0);
        break;
      case Slot::kRotation:
        rotation_ = vec(0);
        break;
      case Slot::kScale:
        scale_ = vec(0);
        break;
      case Slot::kColorRgb:
        op.data.color.color = vec(0);
        break;
      case Slot::kParam:
        op.data.params[stack_[stack_.size() - 2].param] = vec(0);
        break;
      case Slot::kPoint:
        op.data.points->push_back(vec(0));
        break;
      case Slot::kTangent:
        op.data.tangents->push_back(Tangent{vec(0), vec(3)});
        break;
      case Slot::kPolygon:
        op.data.polygons->push_back(Polygon{indices_[0], indices_[1], indices_[2], indices_[3]});
        break;
      case Slot::kKnot:
        curve_.knots.push_back({numbers_[0], numbers_[1]});
        break;
      default:
        break;
    }
  }

  // The rules between the keys of one object record, checked once all its
  // keys are read (they may come in any order).
  bool CheckRecord(const Object& op) {
    const ObjectData& data = op.data;
    const size_t point_count = data.points ? data.points->size() : 0;
    if (data.points && !IsInstanceOf(op.type, kPointObject)) {
      return Fail(Join(PathToFrame(), "points"), "only point objects (instances of type 5156) have points");
    }
    if (data.polygons) {
      if (op.type != kPolygonObject) {
        return Fail(Join(PathToFrame(), "polygons"), "only polygon objects (type 5100) have polygons");
      }
      for (size_t i = 0; i < data.polygons->size(); ++i) {
        const Polygon& p = (*data.polygons)[i];
        for (const int32_t index : {p.a, p.b, p.c, p.d}) {
          if (index < 0 || static_cast<size_t>(index) >= point_count) {
            return Fail(Join(PathToFrame(), "polygons[" + std::to_string(i) + "]"),
                        "index " + std::to_string(index) + " is not below the point count " +
                            std::to_string(point_count));
          }
        }
      }
    }
    if (data.tangents) {
      if (op.type != kSplineObject) {
        return Fail(Join(PathToFrame(), "tangents"), "only spline objects (type 5101) have tangents");
      }
      if (data.tangents->size() != point_count) {
        return Fail(Join(PathToFrame(), "tangents"),
                    "tangent count " + std::to_string(data.tangents->size()) + " differs from point count " +
                        std::to_string(point_count));
      }
    }
    return true;
  }

  // Paths: each open frame adds the place of what is being read inside it.
  std::string PathThrough(size_t frames) const {
    std::string path;
    for (size_t i = 0; i < frames; ++i) {
      const Frame& frame = stack_[i];
      if (IsArray(frame.kind)) {
        path += '[' + std::to_string(frame.count - 1) + ']';
      } else if (frame.slot != Slot::kNone) {
        path = Join(std::move(path), frame.kind == FrameKind::kParams ? std::to_string(frame.param)
                                                                      : std::string(KeyText(frame.slot)));
      }
    }
    return path;
  }
  std::string PathToValue() const { return PathThrough(stack_.size()); }
  std::string PathToFrame() const { return PathThrough(stack_.empty() ? 0 : stack_.size() - 1); }

  static std::string Join(std::string path, std::string_view key) {
    if (!path.empty()) path += '.';
    path += key;
    return path;
  }

  bool Mismatch(Slot slot, Found found) {
    return Fail(PathToValue(),
                "expected " + std::string(Expected(slot)) + ", found " + std::string(FoundText(found)));
  }

  bool Fail(const std::string& path, const std::string& message) {
    error_ = path.empty() ? message : path + ": " + message;
    return false;
  }

  Scene& scene_;
  rapidjson::MemoryStream& stream_;  // moved on past a list read at once
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

std::string_view ParseErrorText(rapidjson::ParseErrorCode code) {
  switch (code) {
    case rapidjson::kParseErrorDocumentEmpty:
      return "no JSON value";
    case rapidjson::kParseErrorDocumentRootNotSingular:
      return "text after the top-level value";
    case rapidjson::kParseErrorValueInvalid:
      return "invalid value";
    case rapidjson::kParseErrorObjectMissName:
      return "expected a key in quotes";
    case rapidjson::kParseErrorObjectMissColon:
      return "expected ':' after a key";
    case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
      return "expected ',' or '}' after an object member";
    case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
      return "expected ',' or ']' after an array element";
    case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
      return "invalid \\u escape";
    case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
      return kUnpairedSurrogate;
    case rapidjson::kParseErrorStringEscapeInvalid:
      return "invalid escape sequence";
    case rapidjson::kParseErrorStringMissQuotationMark:
      return "string without its closing quote";
    case rapidjson::kParseErrorStringInvalidEncoding:
      return "invalid UTF-8";
    case rapidjson::kParseErrorNumberTooBig:
      return "number outside the range of a 64-bit float";
    case rapidjson::kParseErrorNumberMissFraction:
      return "expected digits after '.'";
    case rapidjson::kParseErrorNumberMissExponent:
      return "expected digits in the exponent";
    default:
      return "malformed JSON";
  }
}

// "FILE:LINE:COLUMN: message", the line and column (from 1) of the byte at
// `offset`; columns count characters, not bytes.
SceneReadError PositionError(std::string_view file_name, std::string_view text, size_t offset,
                             std::string_view message) {
  offset = std::min(offset, text.size());
  size_t line = 1, column = 1;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return SceneReadError(std::string(file_name) + ':' + std::to_string(line) + ':' + std::to_string(column) +
                        ": " + std::string(message));
}

constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag;

}  // namespace

Document& ReadScene(std::string_view json, std::string_view file_name, Scene& scene) {
  if (json.starts_with("\xEF\xBB\xBF")) json.remove_prefix(3);  // a byte-order mark some editors write
  rapidjson::MemoryStream stream(json.data(), json.size());
  SceneHandler handler(scene, stream);
  rapidjson::Reader reader;
  const rapidjson::ParseResult result = reader.Parse<kParseFlags>(stream, handler);
  if (handler.failed()) {
    if (handler.error_has_offset())
      throw PositionError(file_name, json, handler.error_offset(), handler.error());
    throw SceneReadError(std::string(file_name) + ": " + handler.error());
  }
  if (result.IsError()) throw PositionError(file_name, json, result.Offset(), ParseErrorText(result.Code()));
  // The parser takes a NUL byte for the end of the text; anything after it
  // would be silently dropped.
  if (stream.Tell() != json.size())
    throw PositionError(file_name, json, stream.Tell(), "NUL byte in the text");

  Document& document = scene.NewDocument();
  for (Object* op : handler.top_level()) document.Append(op, nullptr);
  return document;
}

Document& ReadSceneFile(std::string_view path, Scene& scene) {
  const bool standard_input = path == "-";
  const std::string name = standard_input ? "<stdin>" : std::string(path);
  std::string text;
  std::string reason;
  if (!ReadWholeInput(path, kSceneInput, text, reason)) throw SceneReadError(name + ": " + reason);
  return ReadScene(text, name, scene);  // the text goes as soon as the document is built
}

}  // namespace standin
