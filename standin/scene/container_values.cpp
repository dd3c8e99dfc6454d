#include "scene/container_values.h"

#include <cmath>
#include <limits>

namespace standin {
namespace {

template <class T>
const T* Find(const Container& bc, int32_t id) {
  auto it = bc.find(id);
  return it == bc.end() ? nullptr : std::get_if<T>(&it->second);
}

}  // namespace

std::optional<bool> ReadBool(const Container& bc, int32_t id) {
  if (const bool* v = Find<bool>(bc, id)) return *v;
  return std::nullopt;
}

std::optional<int32_t> ReadInt32(const Container& bc, int32_t id) {
  if (const int32_t* v = Find<int32_t>(bc, id)) return *v;
  if (const double* v = Find<double>(bc, id)) {
    const double t = std::trunc(*v);
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    if (t >= kMin && t <= kMax) return static_cast<int32_t>(t);
  }
  return std::nullopt;
}

std::optional<double> ReadFloat(const Container& bc, int32_t id) {
  if (const double* v = Find<double>(bc, id)) return *v;
  if (const int32_t* v = Find<int32_t>(bc, id)) return *v;
  return std::nullopt;
}

std::optional<Vec3> ReadVector(const Container& bc, int32_t id) {
  if (const Vec3* v = Find<Vec3>(bc, id)) return *v;
  return std::nullopt;
}

SplineCurve* FindCurve(Container& bc, int32_t id) {
  auto it = bc.find(id);
  return it == bc.end() ? nullptr : std::get_if<SplineCurve>(&it->second);
}

void SetContainer(Container& into, const Container& from, bool merge) {
  if (!merge) {
    into = from;
    return;
  }
  for (const auto& [id, value] : from) into.insert_or_assign(id, value);
}

}  // namespace standin
