#include "scene/types.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

namespace standin {

bool IsInstanceOf(int32_t type, int32_t base) {
  if (type == base) return true;
  return base == kPointObject && (type == kPolygonObject || type == kSplineObject || type == kLatticeObject);
}

int32_t SplineInfo(int32_t type) { return (type == kSplineObject || (type >= 5175 && type <= 5189)) ? 1 : 0; }

std::string_view HandlerGroup(int32_t type) {
  // The groups whose members the plug-in's handlers treat alike.
  static constexpr int32_t kDeformers[] = {5128, 5131, 5133, 5134, 5143, 5145, 5146, 5147, 5148, 5149};
  static constexpr int32_t kParticleForces[] = {5109, 5111, 5112, 5113, 5114, 5115, 5119};
  static constexpr std::pair<int32_t, std::string_view> kSingleTypes[] = {
      {5116, "extrude"}, {5117, "lathe"}, {5118, "sweep"}, {5102, "light"}, {5103, "camera"}, {5150, "array"},
  };
  if (type >= 5162 && type <= 5174 && type != 5166) return "primitive";
  if (type >= 5175 && type <= 5189) return "spline-primitive";
  if (std::ranges::find(kDeformers, type) != std::end(kDeformers)) return "deformer";
  if (std::ranges::find(kParticleForces, type) != std::end(kParticleForces)) return "particle-force";
  const auto single = std::ranges::find(kSingleTypes, type, &std::pair<int32_t, std::string_view>::first);
  return single != std::end(kSingleTypes) ? single->second : std::string_view();
}

std::string TypeName(int32_t type) {
  static constexpr std::pair<int32_t, std::string_view> kNamed[] = {
      {5100, "polygon object"}, {5101, "spline"},  {5102, "light"},   {5103, "camera"},
      {5108, "lattice"},        {5109, "emitter"}, {5116, "extrude"}, {5117, "lathe"},
      {5118, "sweep"},          {5140, "null"},    {5150, "array"},   {5156, "point object"},
  };
  const auto named = std::ranges::find(kNamed, type, &std::pair<int32_t, std::string_view>::first);
  if (named != std::end(kNamed)) return std::string(named->second);
  // The other types the plug-in treats go by their handler's group.
  std::string group(HandlerGroup(type));
  if (group.empty()) return "type " + std::to_string(type);
  std::ranges::replace(group, '-', ' ');
  return group;
}

}  // namespace standin
