// One undo group: what the plug-in registered between a start and an end,
// and how to take it back and bring it back again.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scene/block_list.h"
#include "scene/object.h"

namespace standin {

class UndoGroup {
 public:
  UndoGroup();

  // The first registration of `op` keeps a copy of its own data; later ones
  // cost nothing.
  void AddChange(Object& op);
  // Undo takes `op` (with its subtree) out of the document; redo puts it back.
  void AddNewObject(Object& op);
  // Called before `op`'s selection flag changes; the first call keeps it.
  void NoteSelection(Object& op);

  bool IsRegistered(const Object& op) const { return Marks(op) & (kChange | kNewObject); }
  bool IsNewObject(const Object& op) const { return Marks(op) & kNewObject; }
  bool empty() const { return snapshots_.empty() && new_objects_.empty() && selections_.empty(); }

  // Brings `doc` back to the state before the group, keeping the state after
  // it for Redo. Undo and Redo alternate, so each record holds one state:
  // the one not in the document.
  void Undo(Document& doc);
  // Brings `doc` back to the state the last Undo found.
  void Redo(Document& doc);

 private:
  // Exchanges the recorded states with the document's.
  void SwapStates();

  // What this group noted of an object: its marks, valid while the object's
  // `undo_group` is this group's number.
  enum : uint8_t { kChange = 1, kNewObject = 2, kSelection = 4 };
  uint8_t Marks(const Object& op) const { return op.undo_group == number_ ? op.undo_marks : 0; }
  // Sets `mark` on `op`; false when it was set already.
  bool Mark(Object& op, uint8_t mark);

  // The object's data as it was before the group; after an Undo, as it was
  // after the group. Its lists only for an object that holds any, so that
  // the record of an object without points costs no room for them.
  struct Lists {
    std::optional<std::vector<Vec3>> points;
    std::optional<std::vector<Tangent>> tangents;
    std::optional<std::vector<Polygon>> polygons;
  };
  struct Snapshot {
    Object* op;
    std::string name;
    Matrix matrix;
    Container params;
    Vec3 vector;
    DisplayColor color;
    std::unique_ptr<Lists> lists;
  };
  struct Selection {
    Object* op;
    bool other;
  };
  // Where an object removed by Undo stood, for Redo.
  struct Placement {
    Object* op;
    Object* parent;
    Object* pred;
  };

  // One record per object, in lists that never copy their records as a
  // group of many objects grows.
  BlockList<Snapshot> snapshots_;
  std::vector<Object*> new_objects_;
  BlockList<Selection> selections_;
  std::vector<Placement> removed_;
  uint32_t number_;  // unique among the groups of this process
};

}  // namespace standin
