// While an undo group is open: finds the changes that the plug-in made to
// objects of the document without registering them first, and journals each
// such object once as `undo.missing`.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "scene/object.h"
#include "undo/undo_group.h"

namespace standin {

class CoverageCheck {
 public:
  explicit CoverageCheck(const UndoGroup& group) : group_(group) {}

  // Before `op`, an object of the document, changes.
  void CheckWrite(const Object& op);
  // After `op` was inserted into the document: only a registration as new
  // object (of `op` or of an object above it), made once it is in the
  // document and before the group ends, lets undo take it out again.
  void CheckInsert(const Object& op);
  // Before a writable pointer to `op`'s tag data goes out: a write through it
  // cannot be seen, so an unregistered object's data is copied now and
  // compared later.
  void WatchTagData(const Object& op, int32_t tag_type);

  // After `op` was registered: compares its watched tag data.
  void Registered(const Object& op, bool as_new_object);
  // When the group ends: compares every watched tag data and checks that
  // every inserted object was registered as new.
  void Finish();

 private:
  bool Covered(const Object& op);
  // Whether `op` or an object above it is registered as new. Answers are
  // kept for every object on the way up, so that a walk over a deep chain
  // costs O(1) per object.
  bool BelowNewObject(const Object& op);
  void Report(const Object& op);
  void CompareWatch(const Object& op);

  struct Watch {
    std::optional<std::vector<Vec3>> points;
    std::optional<std::vector<Tangent>> tangents;
  };

  const UndoGroup& group_;
  std::unordered_map<const Object*, bool> below_new_;
  std::vector<const Object*> path_;
  std::unordered_set<const Object*> reported_;
  std::unordered_map<const Object*, Watch> watches_;
  std::vector<const Object*> inserted_;
};

}  // namespace standin
