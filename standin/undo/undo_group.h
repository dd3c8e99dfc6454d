// One undo group: what the plug-in registered between a start and an end,
// and how to take it back and bring it back again.
#pragma once

#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "scene/object.h"

namespace standin {

class UndoGroup {
 public:
  // The first registration of `op` keeps a copy of its own data; later ones
  // cost nothing.
  void AddChange(Object& op);
  // Undo takes `op` (with its subtree) out of the document; redo puts it back.
  void AddNewObject(Object& op);
  // Called before `op`'s selection flag changes; the first call keeps it.
  void NoteSelection(Object& op);

  bool IsRegistered(const Object& op) const { return registered_.contains(&op); }
  bool IsNewObject(const Object& op) const;
  bool empty() const { return registered_.empty() && selections_.empty(); }

  // Brings `doc` back to the state before the group, keeping the state after
  // it for Redo. Undo and Redo alternate, so each record holds one state:
  // the one not in the document.
  void Undo(Document& doc);
  // Brings `doc` back to the state the last Undo found.
  void Redo(Document& doc);

 private:
  // Exchanges the recorded states with the document's.
  void SwapStates();

  enum : uint8_t { kChange = 1, kNewObject = 2 };
  // The object's data as it was before the group; after an Undo, as it was
  // after the group.
  struct Snapshot {
    Object* op;
    ObjectData other;
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

  // One record per object; a deque, so that a group of many objects never
  // copies its records as it grows.
  std::deque<Snapshot> snapshots_;
  std::vector<Object*> new_objects_;
  std::deque<Selection> selections_;
  std::vector<Placement> removed_;
  std::unordered_map<const Object*, uint8_t> registered_;
  std::unordered_map<const Object*, std::size_t> selection_index_;
};

}  // namespace standin
