#include "host/run_record.h"

#include "base/quoted_text.h"

namespace standin {
namespace {

RunRecord* current_record = nullptr;
int64_t rejected_writes = 0;

std::string& LastRejected() {
  static std::string words;
  return words;
}

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

void NoteRejectedWrite(const Object* op, std::string_view what) {
  ++rejected_writes;
  LastRejected() =
      "the " + std::string(what) + (op == nullptr ? "" : " of " + QuoteForMessage(op->data.name));
}

int64_t RejectedWrites() { return rejected_writes; }

const std::string& LastRejectedWrite() { return LastRejected(); }

}  // namespace standin
