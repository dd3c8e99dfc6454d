#include "cli/mirror_report.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>
#include <variant>

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

size_t CountOf(const auto& elements) { return elements ? elements->size() : 0; }

// The handler groups that turn their object by setting its placement a
// second time; the others only set parameters back.
bool Turns(std::string_view group) {
  return group == "spline-primitive" || group == "deformer" || group == "particle-force" ||
         group == "sweep" || group == "light" || group == "camera";
}

// What the host cannot see in one call, worked out from the count of
// placement writes: the plug-in writes each object's placement once, its
// handler may turn it with a second write, and a child of a turned object
// gets one more write that takes that turn back out of the child. Only
// objects below the mirrored one can be such a child; the mirrored object's
// own count may hold the copy's placement in the world.
struct Placements {
  bool compensated = false;
  bool turned = false;
};

Placements PlacementsOf(const Object& op, const ObjectRecord* done, bool below, bool handlers_run) {
  Placements result;
  if (done == nullptr) return result;
  const bool turns = handlers_run && Turns(HandlerGroup(op.type));
  const int32_t own = 1 + (turns ? 1 : 0);
  result.compensated = below && done->placement_writes > own;
  result.turned = turns && done->placement_writes - (result.compensated ? 1 : 0) > 1;
  return result;
}

void AppendNumber(std::string& out, auto value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// One object's entry. `path` is a buffer kept from one object to the next,
// so that no entry allocates a path of its own.
void AppendObject(std::string& out, std::string& path, const Object& op, const ObjectRecord* done,
                  const Placements& placements) {
  out += "{\"path\": ";
  path.clear();
  AppendObjectPath(path, op);
  AppendJsonString(out, path);
  out += ", \"type\": ";
  AppendNumber(out, op.type);
  out += ", \"typeName\": ";
  AppendJsonString(out, TypeName(op.type));
  out += ", \"treatments\": [";
  bool first = true;
  for (const auto& [treatment, word] : kTreatmentWords) {
    if (done == nullptr || !done->Has(treatment)) continue;
    if (!first) out += ", ";
    first = false;
    AppendJsonString(out, word);
  }
  if (placements.compensated) out += first ? "\"compensation\"" : ", \"compensation\"";
  out += "], \"handler\": ";
  const std::string_view handler = HandlerGroup(op.type);
  const bool handled = done != nullptr && (done->Has(Treatment::kParameters) || placements.turned);
  if (handled && !handler.empty()) {
    AppendJsonString(out, handler);
  } else {
    out += "null";
  }
  out += ", \"points\": ";
  AppendNumber(out, CountOf(op.data.points));
  out += ", \"polygons\": ";
  AppendNumber(out, CountOf(op.data.polygons));
  out += '}';
}

}  // namespace

std::string MirrorReportJson(const RunRecord& record, bool handlers_run) {
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
  std::string path;
  for (const Object* op = mirrored; op != nullptr; op = NextInSubtree(mirrored, op)) {
    out += separator;
    separator = ",\n  ";
    const ObjectRecord* done = record.Find(*op);
    AppendObject(out, path, *op, done, PlacementsOf(*op, done, op != mirrored, handlers_run));
  }
  out += mirrored != nullptr ? "\n]}\n" : "]}\n";
  return out;
}

bool HandlersRun(const Dialog& dialog) {
  constexpr int32_t kPositioning = 10006, kMoveOnly = 5051, kNoPlacement = 5053;
  const Gadget* gadget = dialog.Find(kPositioning);
  const int32_t* mode = gadget != nullptr ? std::get_if<int32_t>(&gadget->value) : nullptr;
  return mode == nullptr || (*mode != kMoveOnly && *mode != kNoPlacement);
}

}  // namespace standin
