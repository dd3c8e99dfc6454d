#include "cli/mirror_report.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "io/json_text.h"
#include "journal/journal.h"
#include "scene/document.h"
#include "scene/types.h"

namespace standin {
namespace {

constexpr std::array<std::pair<Treatment, std::string_view>, 6> kTreatmentWords{{
    {Treatment::kPlacement, "placement"},
    {Treatment::kPoints, "points"},
    {Treatment::kTangents, "tangents"},
    {Treatment::kLattice, "lattice"},
    {Treatment::kParameters, "parameters"},
    {Treatment::kPolygonCommand, "polygon-command"},
}};

// The types each of the plug-in's handlers treats.
constexpr std::array<int32_t, 12> kPrimitives{5162, 5163, 5164, 5165, 5167, 5168,
                                              5169, 5170, 5171, 5172, 5173, 5174};
constexpr std::array<int32_t, 10> kDeformers{5128, 5131, 5133, 5134, 5143, 5145, 5146, 5147, 5148, 5149};
constexpr std::array<int32_t, 7> kParticleForces{5109, 5111, 5112, 5113, 5114, 5115, 5119};
constexpr std::array<std::pair<int32_t, std::string_view>, 6> kSingleTypeHandlers{{
    {5116, "extrude"},
    {5117, "lathe"},
    {5118, "sweep"},
    {5102, "light"},
    {5103, "camera"},
    {5150, "array"},
}};

template <size_t N>
bool Holds(const std::array<int32_t, N>& types, int32_t type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

// The handler group of `type`; empty for a type no handler treats.
std::string_view HandlerGroup(int32_t type) {
  if (Holds(kPrimitives, type)) return "primitive";
  if (type >= 5175 && type <= 5189) return "spline-primitive";
  if (Holds(kDeformers, type)) return "deformer";
  if (Holds(kParticleForces, type)) return "particle-force";
  for (const auto& [handled, name] : kSingleTypeHandlers) {
    if (handled == type) return name;
  }
  return {};
}

size_t CountOf(const auto& elements) { return elements ? elements->size() : 0; }

void AppendObject(std::string& out, const Object& op, const ObjectRecord* done) {
  out += "{\"path\": ";
  AppendJsonString(out, ObjectPath(op));
  out += ", \"type\": " + std::to_string(op.type) + ", \"typeName\": ";
  AppendJsonString(out, TypeName(op.type));
  out += ", \"treatments\": [";
  bool first = true;
  for (const auto& [treatment, word] : kTreatmentWords) {
    if (done == nullptr || !done->Has(treatment)) continue;
    if (!first) out += ", ";
    first = false;
    AppendJsonString(out, word);
  }
  out += "], \"handler\": ";
  const std::string_view handler = HandlerGroup(op.type);
  const bool handled = done != nullptr && (done->Has(Treatment::kParameters) || done->placement_writes > 1);
  if (handled && !handler.empty()) {
    AppendJsonString(out, handler);
  } else {
    out += "null";
  }
  out += ", \"points\": " + std::to_string(CountOf(op.data.points));
  out += ", \"polygons\": " + std::to_string(CountOf(op.data.polygons)) + "}";
}

}  // namespace

std::string MirrorReportJson(const RunRecord& record) {
  const Object* mirrored = record.inserted() != nullptr ? record.inserted() : record.first_treated();
  std::string out = "{\"format\": \"vitrel-report\", \"version\": 1, \"mirrored\": ";
  if (mirrored != nullptr) {
    AppendJsonString(out, ObjectPath(*mirrored));
  } else {
    out += "null";
  }
  out += ", \"copy\": ";
  out += record.inserted() != nullptr ? "true" : "false";
  out += ", \"objects\": [";
  const char* separator = "\n  ";
  for (const Object* op = mirrored; op != nullptr; op = NextInSubtree(mirrored, op)) {
    out += separator;
    separator = ",\n  ";
    AppendObject(out, *op, record.Find(*op));
  }
  out += mirrored != nullptr ? "\n]}\n" : "]}\n";
  return out;
}

}  // namespace standin
