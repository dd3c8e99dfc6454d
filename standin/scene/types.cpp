#include "scene/types.h"

#include <algorithm>
#include <array>
#include <utility>

namespace standin {

bool IsInstanceOf(int32_t type, int32_t base) {
  if (type == base) return true;
  return base == kPointObject && (type == kPolygonObject || type == kSplineObject || type == kLatticeObject);
}

int32_t SplineInfo(int32_t type) { return (type == kSplineObject || (type >= 5175 && type <= 5189)) ? 1 : 0; }

std::string_view TypeName(int32_t type) {
  static constexpr std::array<std::pair<int32_t, std::string_view>, 16> kNames{{
      {5100, "polygon object"}, {5101, "spline"},  {5102, "light"},       {5103, "camera"},
      {5108, "lattice"},        {5109, "emitter"}, {5116, "extrude"},     {5117, "lathe"},
      {5118, "sweep"},          {5140, "null"},    {5150, "array"},       {5156, "point object"},
      {5111, "particle force"}, {5119, "particle force"}, {5128, "deformer"}, {5131, "deformer"},
  }};
  auto it = std::find_if(kNames.begin(), kNames.end(), [type](const auto& entry) { return entry.first == type; });
  if (it != kNames.end()) return it->second;
  if (type >= 5112 && type <= 5115) return "particle force";
  if (type == 5133 || type == 5134 || (type >= 5143 && type <= 5149)) return "deformer";
  if (type >= 5162 && type <= 5174 && type != 5166) return "primitive";
  if (type >= 5175 && type <= 5189) return "spline primitive";
  return {};
}

}  // namespace standin
