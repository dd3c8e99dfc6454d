// One undo group: what the plug-in registered between a start and an end,
// and how to take it back and bring it back again.
#pragma once

#include <cstdint>
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
  // it for Redo.
  void Undo(Document& doc);
  // Brings `doc` back to the state the last Undo found.
  void Redo(Document& doc);

 private:
  enum : uint8_t { kChange = 1, kNewObject = 2 };
  struct Snapshot {
    Object* op;
    ObjectData before;
    ObjectData after;
  };
  struct Selection {
    Object* op;
    bool before;
    bool after;
  };
  // Where an object removed by Undo stood, for Redo.
  struct Placement {
    Object* op;
    Object* parent;
    Object* pred;
  };

  std::vector<Snapshot> snapshots_;
  std::vector<Object*> new_objects_;
  std::vector<Selection> selections_;
  std::vector<Placement> removed_;
  std::unordered_map<const Object*, uint8_t> registered_;
  std::unordered_map<const Object*, std::size_t> selection_index_;
};

}  // namespace standin
