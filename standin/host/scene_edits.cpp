#include "host/scene_edits.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/quoted_text.h"
#include "host/faults.h"
#include "host/plugin_calls.h"
#include "host/run_record.h"
#include "journal/journal.h"
#include "scene/container_values.h"
#include "scene/geometry_ops.h"
#include "scene/naming.h"
#include "scene/types.h"
#include "undo/undo_history.h"

namespace standin {
namespace {

constexpr int32_t kReverseNormals = 217;
constexpr int32_t kPointsChangedMessage = 1;

bool IsFinite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool IsFinite(const Matrix& m) {
  return IsFinite(m.off) && IsFinite(m.v1) && IsFinite(m.v2) && IsFinite(m.v3);
}

void JournalRejected(const Object* op, std::string_view what) {
  Journal::Event(HostJournal(), "write.rejected").ObjectRef("object", op).Text("what", what);
  NoteRejectedWrite(op, what);
}

int32_t CountOf(std::size_t size) {
  return static_cast<int32_t>(std::min<std::size_t>(size, std::numeric_limits<int32_t>::max()));
}

void NoteSelection(Document& doc, Object& op) {
  if (UndoHistory* history = UndoIfMade(doc)) history->NoteSelection(op);
}

void Select(Document& doc, Object& op, bool selected) {
  if (op.selected == selected) return;
  NoteSelection(doc, op);
  op.selected = selected;
}

}  // namespace

std::vector<Object*> ActiveObjects(const Document& doc) {
  std::vector<Object*> active;
  for (Object* op = doc.first(); op != nullptr; op = NextInDocument(op)) {
    if (op->selected) active.push_back(op);
  }
  return active;
}

bool SetActiveObject(Document& doc, Object* op, int32_t mode) {
  if (op != nullptr && op->document != &doc) return false;
  if (mode != kSelectNew && (op == nullptr || (mode != kSelectAdd && mode != kSelectRemove))) return false;
  Journal::Event(HostJournal(), "active").ObjectRef("object", op).Int("mode", mode);
  if (mode == kSelectNew) {
    for (Object* at = doc.first(); at != nullptr; at = NextInDocument(at)) Select(doc, *at, at == op);
  } else {
    Select(doc, *op, mode == kSelectAdd);
  }
  return true;
}

bool InsertObject(Document& doc, Object& op, Object* parent, Object* pred, bool unique_name) {
  if (op.document != nullptr || op.parent != nullptr) return false;
  if (parent != nullptr && parent->document != &doc) return false;
  if (pred != nullptr && (pred->document != &doc || pred->parent != parent)) return false;
  if (unique_name) op.data.name = UniqueName(doc, op.data.name);
  doc.Insert(&op, parent, pred);
  if (UndoHistory* history = UndoIfMade(doc)) history->CheckInsert(op);
  if (RunRecord* record = CurrentRunRecord()) record->NoteInsert(op);
  Journal::Event(HostJournal(), "insert").ObjectRef("object", &op).Bool("uniqueName", unique_name);
  return true;
}

bool StartUndo(Document& doc) {
  Journal::Event(HostJournal(), "undo.start");
  UndoOf(doc).StartGroup();
  return true;
}

bool AddUndo(Document& doc, int32_t type, Object* op) {
  Journal::Event(HostJournal(), "undo.add").Int("type", type).ObjectRef("object", op);
  // The application's undo takes a new object out of the document it was
  // registered in, so it is registered once it is in one; registered before,
  // its undo would leave the object behind.
  if (type == kUndoNewObject && op != nullptr && op->document == nullptr) {
    ReportHostCheck("undo",
                    "a plug-in registered an object as new before it was in a document; register it right "
                    "after inserting it");
    return false;
  }
  return op != nullptr && UndoOf(doc).Add(type, *op);
}

bool EndUndo(Document& doc) {
  Journal::Event(HostJournal(), "undo.end");
  return UndoOf(doc).EndGroup();
}

bool SetName(Object& op, std::string_view name) {
  if (!IsUtf8(name)) {
    JournalRejected(&op, "name");
    return false;
  }
  CheckUndoCoverage(op);
  Journal::Event(HostJournal(), "rename")
      .ObjectRef("object", &op)
      .Text("from", op.data.name)
      .Text("to", name);
  op.data.name.assign(name);
  return true;
}

bool SetMatrix(Object& op, const Matrix& m) {
  if (!IsFinite(m)) {
    JournalRejected(&op, "matrix");
    return false;
  }
  CheckUndoCoverage(op);
  op.data.matrix = m;
  RecordTreatment(op, Treatment::kPlacement);
  return true;
}

bool SetVector(Object& op, const Vec3& v) {
  if (!FiniteForWrite(&op, "vector", v)) return false;
  CheckUndoCoverage(op);
  op.data.vector = v;
  return true;
}

bool SetDisplayColor(Object& op, const DisplayColor& color) {
  if (color.mode < 0 || color.mode > 3) return false;
  if (!FiniteForWrite(&op, "color", color.color)) return false;
  CheckUndoCoverage(op);
  op.data.color = color;
  return true;
}

bool SetContainerOf(Object& op, const Container& bc, bool merge) {
  CheckUndoCoverage(op);
  SetContainer(op.data.params, bc, merge);
  RecordTreatment(op, Treatment::kParameters);
  return true;
}

bool FiniteForWrite(const Object* source, std::string_view what, double value) {
  if (std::isfinite(value)) return true;
  JournalRejected(source, what);
  return false;
}

bool FiniteForWrite(const Object* source, std::string_view what, const Vec3& value) {
  if (IsFinite(value)) return true;
  JournalRejected(source, what);
  return false;
}

int32_t TagDataCount(const Object& op, int32_t tag_type) {
  if (tag_type == kPointTag) return op.data.points ? CountOf(op.data.points->size()) : 0;
  if (tag_type == kTangentTag) return op.data.tangents ? CountOf(op.data.tangents->size()) : 0;
  return 0;
}

void* WritableTagData(Object& op, int32_t tag_type) {
  void* data = nullptr;
  if (tag_type == kPointTag && op.data.points && !op.data.points->empty()) data = op.data.points->data();
  if (tag_type == kTangentTag && op.data.tangents && !op.data.tangents->empty())
    data = op.data.tangents->data();
  if (data == nullptr || HostFaults().ShouldFail(Fault::kTagData)) return nullptr;
  if (op.document != nullptr) {
    if (UndoHistory* history = UndoIfMade(*op.document)) history->WatchTagData(op, tag_type);
  }
  if (tag_type == kTangentTag) {
    RecordTreatment(op, Treatment::kTangents);
  } else {
    RecordTreatment(op, IsInstanceOf(op.type, kLatticeObject) ? Treatment::kLattice : Treatment::kPoints);
  }
  return data;
}

bool SendObjectMessage(Object& op, int32_t id, const void* data) {
  const auto* record = id == kPointsChangedMessage ? static_cast<const VtPointsChanged*>(data) : nullptr;
  {
    Journal::Event event(HostJournal(), "message");
    event.ObjectRef("object", &op).Int("id", id);
    if (Journal::Writer* w = event.Raw("record")) {
      if (record == nullptr) {
        w->Null();
      } else {
        w->StartObject();
        w->Key("oldCount");
        w->Int(record->old_count);
        w->Key("newCount");
        w->Int(record->new_count);
        w->Key("map");
        record->map == nullptr ? w->Null() : w->Bool(true);
        w->Key("flags");
        w->Int(record->flags);
        w->EndObject();
      }
    }
  }
  if (record == nullptr) return true;
  const int32_t expected = TagDataCount(op, kPointTag);
  const std::pair<std::string_view, int32_t> counts[] = {{"oldCount", record->old_count},
                                                         {"newCount", record->new_count}};
  for (const auto& [field, got] : counts) {
    if (got == expected) continue;
    Journal::Event(HostJournal(), "message.mismatch")
        .ObjectRef("object", &op)
        .Text("field", field)
        .Int("expected", expected)
        .Int("got", got);
  }
  return true;
}

bool RunModelingCommand(int32_t command, Object* op) {
  Journal::Event(HostJournal(), "modeling").Int("command", command).ObjectRef("object", op);
  if (command != kReverseNormals || op == nullptr || !IsInstanceOf(op->type, kPolygonObject)) return false;
  CheckUndoCoverage(*op);
  if (op->data.polygons) ReverseNormals(*op->data.polygons);
  RecordTreatment(*op, Treatment::kPolygonCommand);
  return true;
}

void CallCommand(int32_t id, int32_t sub_id) {
  Journal::Event(HostJournal(), "command").Int("id", id).Int("sub", sub_id);
}

void RequestRefresh(int32_t arg) { Journal::Event(HostJournal(), "refresh").Int("arg", arg); }

void MirrorCurveOf(SplineCurve& curve, const Object* source) {
  Journal::Event(HostJournal(), "curve").Int("library", VT_LIBRARY_SPLINE_CURVE).ObjectRef("object", source);
  MirrorCurve(curve);
}

}  // namespace standin
