// Typed reads of parameters with the host's conversions, and setting a
// container back on an object.
#pragma once

#include <cstdint>
#include <optional>

#include "scene/object.h"

namespace standin {

// Each read gives nothing when the id is missing or holds another kind.
// Integers and floats convert into each other: a float read as an integer
// truncates toward zero and fails outside the 32-bit range.
std::optional<bool> ReadBool(const Container& bc, int32_t id);
std::optional<int32_t> ReadInt32(const Container& bc, int32_t id);
std::optional<double> ReadFloat(const Container& bc, int32_t id);
std::optional<Vec3> ReadVector(const Container& bc, int32_t id);
// The spline curve stored under `id`, writable in place, or null.
SplineCurve* FindCurve(Container& bc, int32_t id);

// Puts `from` into `into`: merged (each value of `from` replaces or adds
// one) or replacing the whole container.
void SetContainer(Container& into, const Container& from, bool merge);

}  // namespace standin
