// Numbers as the parser reports them, checked and stored where their slot
// says: alone (a version, a type, a parameter) or as part of a tuple.
#pragma once

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

#include "io/scene_handler.h"

namespace standin::scene_reading {

inline bool ParseFloat(std::string_view text, double& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

inline NumberRead IntegerRead(int64_t integer, double value) {
  return {.found = Found::kInteger, .integer = integer, .value = value, .text = {}};
}

inline bool IsNumberByte(char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

inline bool SceneHandler::Int(int value) { return ReadNumber(IntegerRead(value, value == 0 ? -0.0 : value)); }
inline bool SceneHandler::Uint(unsigned value) { return ReadNumber(IntegerRead(value, value)); }
inline bool SceneHandler::Int64(int64_t value) {
  return ReadNumber(IntegerRead(value, static_cast<double>(value)));
}
inline bool SceneHandler::Uint64(uint64_t value) {
  const uint64_t largest = std::numeric_limits<int64_t>::max();
  return ReadNumber(IntegerRead(static_cast<int64_t>(std::min(value, largest)), static_cast<double>(value)));
}
inline bool SceneHandler::Double(double) { return ReadNumber(TextJustRead()); }

// The number just read, then stored where its slot says.
inline bool SceneHandler::ReadNumber(const NumberRead& number) {
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
    case Slot::kParam:
      return ReadParamNumber(number);
    default:
      return Mismatch(slot, number.found);
  }
}

// A parameter keeps the kind of number it was written as.
inline bool SceneHandler::ReadParamNumber(const NumberRead& number) {
  ParamValue& value = Params()[Top().param];
  if (number.found == Found::kInteger) {
    int32_t i = 0;
    if (!ReadInteger(number, Slot::kParam, i)) return false;
    value = i;
  } else {
    double d = 0;
    if (!ReadFloat(number, d)) return false;
    value = d;
  }
  return true;
}

// The number whose text ends where the stream stands: a float, or an
// integer too long for 64 bits (found by the text having neither fraction
// nor exponent). The bytes before a number never belong to one.
inline NumberRead SceneHandler::TextJustRead() const {
  const std::string_view read = stream_.Read();
  const char* const end = read.data() + read.size();
  const char* start = end;
  bool integer = true;
  while (start > read.data() && IsNumberByte(start[-1])) {
    --start;
    if (*start == '.' || *start == 'e' || *start == 'E') integer = false;
  }
  NumberRead number{.found = integer ? Found::kInteger : Found::kFloat,
                    .text = std::string_view(start, static_cast<size_t>(end - start))};
  if (integer) number.integer = std::numeric_limits<int64_t>::max();  // beyond every 32-bit integer
  return number;
}

inline bool SceneHandler::ReadInteger(const NumberRead& number, Slot slot, int32_t& value) {
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
inline bool SceneHandler::ReadFloat(const NumberRead& number, double& value) {
  if (number.text.empty()) {
    value = number.value;
    return true;
  }
  return ParseFloat(number.text, value) ? true
                                        : Fail(PathToValue(), "number outside the range of a 64-bit float");
}

inline bool SceneHandler::TupleHasRoom() {
  return Top().count <= RowOf(Top().slot).tuple_size ? true : TupleSizeError();
}

inline bool SceneHandler::TupleSizeError() {
  const Frame& frame = Top();
  const size_t size = RowOf(frame.slot).tuple_size;
  const std::string_view noun = frame.slot == Slot::kPolygon ? " indices" : " numbers";
  std::string message = "expected " + std::to_string(size) + std::string(noun);
  if (frame.count < size) message += ", found " + std::to_string(frame.count);
  return Fail(PathToFrame(), message);
}

inline void SceneHandler::StoreTuple(Slot slot) {
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

}  // namespace standin::scene_reading
