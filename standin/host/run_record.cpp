#include "host/run_record.h"

namespace standin {
namespace {

RunRecord* current_record = nullptr;

}  // namespace

RunRecord::RunRecord() { current_record = this; }

RunRecord::~RunRecord() {
  if (current_record == this) current_record = nullptr;
}

void RunRecord::Note(const Object& op, Treatment treatment) {
  ObjectRecord& entry = objects_[&op];
  entry.treatments |= static_cast<uint8_t>(treatment);
  if (treatment == Treatment::kPlacement) ++entry.placement_writes;
  if (first_treated_ == nullptr) first_treated_ = &op;
}

void RunRecord::NoteInsert(const Object& op) {
  if (inserted_ == nullptr) inserted_ = &op;
}

const ObjectRecord* RunRecord::Find(const Object& op) const {
  auto it = objects_.find(&op);
  return it == objects_.end() ? nullptr : &it->second;
}

RunRecord* CurrentRunRecord() { return current_record; }

}  // namespace standin
