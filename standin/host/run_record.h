// What a run did to each object, as the host sees it through the plug-in's
// scene calls: kept only while a RunRecord lives, so that the calls cost
// nothing more when no record is asked for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "scene/object.h"

namespace standin {

// The kinds of change the host tells apart, one bit each.
enum class Treatment : uint8_t {
  kPlacement = 1 << 0,       // the matrix was set
  kPoints = 1 << 1,          // the points went out for writing
  kTangents = 1 << 2,        // the tangents went out for writing
  kLattice = 1 << 3,         // a lattice's grid points went out for writing
  kParameters = 1 << 4,      // a parameter copy was set back
  kPolygonCommand = 1 << 5,  // the polygon modeling command was run on it
};

struct ObjectRecord {
  uint8_t treatments = 0;
  // How often the matrix was set: a handler that turns an object writes it
  // again after the run's own placement write.
  int32_t placement_writes = 0;

  bool Has(Treatment t) const { return (treatments & static_cast<uint8_t>(t)) != 0; }
};

class RunRecord {
 public:
  // Becomes the record the host's scene calls add to, until it is
  // destroyed. One record at a time.
  RunRecord();
  ~RunRecord();
  RunRecord(const RunRecord&) = delete;
  RunRecord& operator=(const RunRecord&) = delete;

  void Note(const Object& op, Treatment treatment);
  void NoteInsert(const Object& op);

  // What was done to `op`; null when nothing was.
  const ObjectRecord* Find(const Object& op) const;
  // The first object inserted into a document; null when none was.
  const Object* inserted() const { return inserted_; }
  // The first object given any treatment; null when none was.
  const Object* first_treated() const { return first_treated_; }

 private:
  std::unordered_map<const Object*, ObjectRecord> objects_;
  const Object* inserted_ = nullptr;
  const Object* first_treated_ = nullptr;
};

// The record being kept; null while there is none.
RunRecord* CurrentRunRecord();

// Writes the host refused (a name that is not UTF-8, a placement that is not
// finite), counted over the whole process whether or not a record is kept,
// so that --strict can fail a run that only the journal would tell of;
// `op` may be null.
void NoteRejectedWrite(const Object* op, std::string_view what);
int64_t RejectedWrites();
// "the name of \"Arm\"": the last refused write, for messages.
const std::string& LastRejectedWrite();

// Adds to the current record, if any.
inline void RecordTreatment(const Object& op, Treatment treatment) {
  if (RunRecord* record = CurrentRunRecord()) record->Note(op, treatment);
}

}  // namespace standin
