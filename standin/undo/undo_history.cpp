#include "undo/undo_history.h"

#include "scene/document.h"
#include "undo/coverage_check.h"
#include "undo/undo_group.h"

namespace standin {

UndoHistory::UndoHistory(Document& doc) : doc_(doc) {}

UndoHistory::~UndoHistory() = default;

void UndoHistory::StartGroup() {
  if (depth_++ > 0) return;
  undone_.clear();
  open_ = std::make_unique<UndoGroup>();
  check_ = std::make_unique<CoverageCheck>(*open_);
}

bool UndoHistory::EndGroup() {
  if (depth_ == 0) return false;
  if (--depth_ > 0) return true;
  check_->Finish();
  check_.reset();
  if (!open_->empty()) done_.push_back(std::move(open_));
  open_.reset();
  return true;
}

bool UndoHistory::Add(int32_t type, Object& op) {
  if (!open_) return false;
  if (type == kUndoChange) {
    open_->AddChange(op);
  } else if (type == kUndoNewObject) {
    open_->AddNewObject(op);
  } else {
    return false;
  }
  check_->Registered(op, type == kUndoNewObject);
  return true;
}

void UndoHistory::CheckWrite(const Object& op) {
  if (check_) check_->CheckWrite(op);
}

void UndoHistory::CheckInsert(const Object& op) {
  if (check_) check_->CheckInsert(op);
}

void UndoHistory::WatchTagData(const Object& op, int32_t tag_type) {
  if (check_) check_->WatchTagData(op, tag_type);
}

void UndoHistory::NoteSelection(Object& op) {
  if (open_) open_->NoteSelection(op);
}

bool UndoHistory::Undo() {
  if (open_ || done_.empty()) return false;
  done_.back()->Undo(doc_);
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  return true;
}

bool UndoHistory::Redo() {
  if (open_ || undone_.empty()) return false;
  undone_.back()->Redo(doc_);
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return true;
}

UndoHistory& UndoOf(Document& doc) {
  if (doc.history() == nullptr) doc.set_history(std::make_unique<UndoHistory>(doc));
  return *UndoIfMade(doc);
}

UndoHistory* UndoIfMade(const Document& doc) {
  // The document's only history is the one UndoOf made.
  return static_cast<UndoHistory*>(doc.history());
}

void CheckUndoCoverage(const Object& op) {
  if (op.document == nullptr) return;
  if (UndoHistory* history = UndoIfMade(*op.document)) history->CheckWrite(op);
}

bool Undo(Document& doc) { return UndoOf(doc).Undo(); }

bool Redo(Document& doc) { return UndoOf(doc).Redo(); }

}  // namespace standin
