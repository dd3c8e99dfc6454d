#include "cli/mirror_report.h"

#include <array>
#include <charconv>
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

size_t CountOf(const auto& elements) { return elements ? elements->size() : 0; }

void AppendNumber(std::string& out, auto value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// One object's entry. `path` is a buffer kept from one object to the next,
// so that no entry allocates a path of its own.
void AppendObject(std::string& out, std::string& path, const Object& op, const ObjectRecord* done) {
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
  out += "], \"handler\": ";
  const std::string_view handler = HandlerGroup(op.type);
  const bool handled = done != nullptr && (done->Has(Treatment::kParameters) || done->placement_writes > 1);
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
  std::string path;
  for (const Object* op = mirrored; op != nullptr; op = NextInSubtree(mirrored, op)) {
    out += separator;
    separator = ",\n  ";
    AppendObject(out, path, *op, record.Find(*op));
  }
  out += mirrored != nullptr ? "\n]}\n" : "]}\n";
  return out;
}

}  // namespace standin
