#include "undo/undo_group.h"

#include <utility>

#include "scene/document.h"

namespace standin {

void UndoGroup::AddChange(Object& op) {
  uint8_t& kinds = registered_[&op];
  if (kinds & kChange) return;
  kinds |= kChange;
  snapshots_.push_back({&op, op.data});
}

void UndoGroup::AddNewObject(Object& op) {
  uint8_t& kinds = registered_[&op];
  if (kinds & kNewObject) return;
  kinds |= kNewObject;
  new_objects_.push_back(&op);
}

bool UndoGroup::IsNewObject(const Object& op) const {
  auto it = registered_.find(&op);
  return it != registered_.end() && (it->second & kNewObject);
}

void UndoGroup::NoteSelection(Object& op) {
  if (selection_index_.emplace(&op, selections_.size()).second) selections_.push_back({&op, op.selected});
}

void UndoGroup::SwapStates() {
  for (Snapshot& s : snapshots_) std::swap(s.op->data, s.other);
  for (Selection& s : selections_) std::swap(s.op->selected, s.other);
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
