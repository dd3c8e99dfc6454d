#include "undo/coverage_check.h"

#include "journal/journal.h"
#include "scene/types.h"

namespace standin {
namespace {

// Whether tag data differs from the copy taken of it; no data counts as empty.
template <class T>
bool Differs(const std::vector<T>& copy, const std::optional<std::vector<T>>& now) {
  return now ? copy != *now : !copy.empty();
}

}  // namespace

void CoverageCheck::CheckWrite(const Object& op) {
  if (!Covered(op)) Report(op);
}

void CoverageCheck::CheckInsert(const Object& op) {
  if (!BelowNewObject(op)) inserted_.push_back(&op);
}

bool CoverageCheck::Covered(const Object& op) { return group_.IsRegistered(op) || BelowNewObject(op); }

bool CoverageCheck::BelowNewObject(const Object& op) {
  path_.clear();
  bool covered = false;
  for (const Object* at = &op; at != nullptr; at = at->parent) {
    auto known = below_new_.find(at);
    if (known != below_new_.end()) {
      covered = known->second;
      break;
    }
    path_.push_back(at);
    if (group_.IsNewObject(*at)) {
      covered = true;
      break;
    }
  }
  for (const Object* at : path_) below_new_.emplace(at, covered);
  return covered;
}

void CoverageCheck::Report(const Object& op) {
  if (!reported_.insert(&op).second) return;
  Journal::Event(HostJournal(), "undo.missing").ObjectRef("object", &op);
}

void CoverageCheck::WatchTagData(const Object& op, int32_t tag_type) {
  if (Covered(op)) return;
  Watch& watch = watches_[&op];
  if (tag_type == kPointTag && !watch.points) watch.points = op.data.points.value_or(std::vector<Vec3>{});
  if (tag_type == kTangentTag && !watch.tangents) {
    watch.tangents = op.data.tangents.value_or(std::vector<Tangent>{});
  }
}

void CoverageCheck::CompareWatch(const Object& op) {
  auto it = watches_.find(&op);
  if (it == watches_.end()) return;
  const Watch& watch = it->second;
  if ((watch.points && Differs(*watch.points, op.data.points)) ||
      (watch.tangents && Differs(*watch.tangents, op.data.tangents))) {
    Report(op);
  }
  watches_.erase(it);
}

void CoverageCheck::Registered(const Object& op, bool as_new_object) {
  CompareWatch(op);
  // An object of the document that becomes a new object covers itself and
  // what lies (or will be inserted) below it, which may have been found
  // uncovered before. Objects outside the document were never looked at.
  if (as_new_object && op.document != nullptr) below_new_.clear();
}

void CoverageCheck::Finish() {
  while (!watches_.empty()) CompareWatch(*watches_.begin()->first);
  for (const Object* op : inserted_) {
    if (op->document != nullptr && !BelowNewObject(*op)) Report(*op);
  }
  inserted_.clear();
}

}  // namespace standin
