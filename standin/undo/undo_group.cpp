#include "undo/undo_group.h"

#include <utility>

#include "scene/clone.h"
#include "scene/document.h"

namespace standin {

UndoGroup::UndoGroup() {
  static uint32_t groups_made = 0;
  number_ = ++groups_made;
}

bool UndoGroup::Mark(Object& op, uint8_t mark) {
  if (op.undo_group != number_) {
    op.undo_group = number_;
    op.undo_marks = 0;
  }
  if (op.undo_marks & mark) return false;
  op.undo_marks |= mark;
  return true;
}

void UndoGroup::AddChange(Object& op) {
  if (!Mark(op, kChange)) return;
  const ObjectData& data = op.data;
  Snapshot& record = snapshots_.emplace_back(
      Snapshot{&op, data.name, data.matrix, data.params, data.vector, data.color, nullptr});
  if (data.points || data.tangents || data.polygons) {
    record.lists.reset(new Lists{CopyList(data.points), CopyList(data.tangents), CopyList(data.polygons)});
  }
}

void UndoGroup::AddNewObject(Object& op) {
  if (Mark(op, kNewObject)) new_objects_.push_back(&op);
}

void UndoGroup::NoteSelection(Object& op) {
  if (Mark(op, kSelection)) selections_.emplace_back(Selection{&op, op.selected});
}

void UndoGroup::SwapStates() {
  snapshots_.ForEach([](Snapshot& record) {
    ObjectData& data = record.op->data;
    std::swap(data.name, record.name);
    std::swap(data.matrix, record.matrix);
    std::swap(data.params, record.params);
    std::swap(data.vector, record.vector);
    std::swap(data.color, record.color);
    if (!record.lists && !data.points && !data.tangents && !data.polygons) return;
    if (!record.lists) record.lists = std::make_unique<Lists>();
    Lists& lists = *record.lists;
    std::swap(data.points, lists.points);
    std::swap(data.tangents, lists.tangents);
    std::swap(data.polygons, lists.polygons);
    if (!lists.points && !lists.tangents && !lists.polygons) record.lists.reset();
  });
  selections_.ForEach([](Selection& record) { std::swap(record.op->selected, record.other); });
}

void UndoGroup::Undo(Document& doc) {
  // Each placement is noted just before its removal, so that Redo, inserting
  // in the opposite order, finds every parent and predecessor back in place.
  removed_.clear();
  for (auto it = new_objects_.rbegin(); it != new_objects_.rend(); ++it) {
    Object* op = *it;
    if (op->document != &doc) continue;
    removed_.push_back({op, op->parent, op->prev});
    doc.Remove(op);
  }
  SwapStates();
}

void UndoGroup::Redo(Document& doc) {
  for (auto it = removed_.rbegin(); it != removed_.rend(); ++it) {
    if (it->op->document != nullptr) continue;
    Object* parent = it->parent && it->parent->document == &doc ? it->parent : nullptr;
    Object* pred = it->pred && it->pred->document == &doc && it->pred->parent == parent ? it->pred : nullptr;
    doc.Insert(it->op, parent, pred);
  }
  removed_.clear();
  SwapStates();
}

}  // namespace standin
