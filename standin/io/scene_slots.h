// What each JSON value of a scene file stands for, decided by the key or the
// array it is in, and all the reader knows of it in one table: the key that
// names it, what it must be and how many numbers make it. One row per slot,
// so that a new key cannot be known in one place and forgotten in another.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace standin::scene_reading {

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

struct SlotRow {
  Slot slot;                  // the row's own slot, so that the table's order is checked
  std::string_view key;       // the key that names it in its object; empty for others
  std::string_view expected;  // what the value must be, as messages say it
  uint8_t tuple_size;         // how many numbers make it, where an array of numbers does
};

inline constexpr SlotRow kSlots[] = {
    {Slot::kNone, "", "nothing", 0},
    {Slot::kTopLevel, "", "an object", 0},
    {Slot::kFormat, "format", "a string", 0},
    {Slot::kVersion, "version", "an integer", 0},
    {Slot::kObjects, "objects", "an array of objects", 0},
    {Slot::kName, "name", "a string", 0},
    {Slot::kType, "type", "an integer", 0},
    {Slot::kMatrix, "matrix", "an array of 12 numbers", 12},
    {Slot::kTransform, "transform", "an object with position, rotation and scale", 0},
    {Slot::kParams, "params", "an object of parameter values", 0},
    {Slot::kPoints, "points", "an array of points [x, y, z]", 0},
    {Slot::kTangents, "tangents", "an array of tangents [lx, ly, lz, rx, ry, rz]", 0},
    {Slot::kPolygons, "polygons", "an array of polygons [a, b, c, d]", 0},
    {Slot::kVector, "vector", "an array of 3 numbers", 3},
    {Slot::kColor, "color", "an object with mode, color and xray", 0},
    {Slot::kSelected, "selected", "true or false", 0},
    {Slot::kChildren, "children", "an array of objects", 0},
    {Slot::kPosition, "position", "an array of 3 numbers", 3},
    {Slot::kRotation, "rotation", "an array of 3 numbers", 3},
    {Slot::kScale, "scale", "an array of 3 numbers", 3},
    {Slot::kColorMode, "mode", "an integer", 0},
    {Slot::kColorRgb, "color", "an array of 3 numbers", 3},
    {Slot::kXray, "xray", "true or false", 0},
    // A parameter is a tuple when it is an array; it may also be a bool, a
    // number or a curve.
    {Slot::kParam, "", "true, false, a number, [x, y, z] or {\"curve\": [...]}", 3},
    {Slot::kCurve, "curve", "an array of knots [x, y]", 0},
    {Slot::kRecord, "", "an object", 0},
    {Slot::kPoint, "", "an array of 3 numbers", 3},
    {Slot::kTangent, "", "an array of 6 numbers", 6},
    {Slot::kPolygon, "", "an array of 4 integers", 4},
    {Slot::kKnot, "", "an array of 2 numbers", 2},
    {Slot::kTupleFloat, "", "a number", 0},
    {Slot::kTupleInt, "", "an integer", 0},
};

constexpr bool RowsInSlotOrder() {
  for (size_t i = 0; i < std::size(kSlots); ++i) {
    if (static_cast<size_t>(kSlots[i].slot) != i) return false;
  }
  return static_cast<size_t>(Slot::kTupleInt) + 1 == std::size(kSlots);
}
static_assert(RowsInSlotOrder(), "kSlots needs one row per Slot, in the enum's order");

constexpr const SlotRow& RowOf(Slot slot) { return kSlots[static_cast<size_t>(slot)]; }

// The keys an object holds are flags in one word.
constexpr uint32_t Bit(Slot slot) { return uint32_t{1} << static_cast<unsigned>(slot); }

// The keys each kind of JSON object takes, in the order messages list them.
// Each is looked up by its text for every key of the scene, so each list
// has its keys' texts beside it, taken from the table when compiled.
inline constexpr Slot kTopKeys[] = {Slot::kFormat, Slot::kVersion, Slot::kObjects};
inline constexpr Slot kRecordKeys[] = {Slot::kName,   Slot::kType,   Slot::kMatrix,   Slot::kTransform,
                                       Slot::kParams, Slot::kPoints, Slot::kTangents, Slot::kPolygons,
                                       Slot::kVector, Slot::kColor,  Slot::kSelected, Slot::kChildren};
inline constexpr Slot kTransformKeys[] = {Slot::kPosition, Slot::kRotation, Slot::kScale};
inline constexpr Slot kColorKeys[] = {Slot::kColorMode, Slot::kColorRgb, Slot::kXray};
inline constexpr Slot kCurveKeys[] = {Slot::kCurve};

struct KeyName {
  std::string_view name;
  Slot slot;
};

template <size_t N>
constexpr std::array<KeyName, N> KeyNames(const Slot (&slots)[N]) {
  std::array<KeyName, N> names{};
  for (size_t i = 0; i < N; ++i) names[i] = {RowOf(slots[i]).key, slots[i]};
  return names;
}

inline constexpr auto kTopKeyNames = KeyNames(kTopKeys);
inline constexpr auto kRecordKeyNames = KeyNames(kRecordKeys);
inline constexpr auto kTransformKeyNames = KeyNames(kTransformKeys);
inline constexpr auto kColorKeyNames = KeyNames(kColorKeys);
inline constexpr auto kCurveKeyNames = KeyNames(kCurveKeys);

// The kinds of JSON value, for messages.
enum class Found : uint8_t { kNull, kBool, kInteger, kFloat, kString, kObject, kArray };

constexpr std::string_view FoundText(Found found) {
  constexpr std::string_view kTexts[] = {"null",     "true or false", "an integer", "a float",
                                         "a string", "an object",     "an array"};
  return kTexts[static_cast<size_t>(found)];
}

}  // namespace standin::scene_reading
