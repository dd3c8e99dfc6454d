// The host's object types as the stand-in host knows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace standin {

inline constexpr int32_t kPointObject = 5156;
inline constexpr int32_t kPolygonObject = 5100;
inline constexpr int32_t kSplineObject = 5101;
inline constexpr int32_t kLatticeObject = 5108;

// Tag-data types: points (one vector each) and tangents (left, right).
inline constexpr int32_t kPointTag = 5600;
inline constexpr int32_t kTangentTag = 5617;

// Every type is an instance of itself; polygon, spline and lattice objects
// are also instances of the point object; nothing else is an instance of
// anything.
bool IsInstanceOf(int32_t type, int32_t base);

// The query that gates spline handling: non-zero exactly for spline objects
// and spline primitives.
int32_t SplineInfo(int32_t type);

// The plug-in's handler group of a type, whose direction parameters it
// mirrors ("primitive", "spline-primitive", "deformer", "particle-force",
// "extrude", "lathe", "sweep", "light", "camera", "array"); empty for others.
std::string_view HandlerGroup(int32_t type);

// A readable name for a type id: the name, or the group of the types the
// plug-in treats alike ("primitive", "deformer"); "type 5159" for ids the
// host does not name.
std::string TypeName(int32_t type);

}  // namespace standin
