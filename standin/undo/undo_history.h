// A document's undo history: the groups that the plug-in opens and closes,
// undo and redo of whole groups, and the check that every object of the
// document is registered before it changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/document.h"
#include "scene/object.h"

namespace standin {

class CoverageCheck;
class UndoGroup;

inline constexpr int32_t kUndoChange = 40;
inline constexpr int32_t kUndoNewObject = 44;

class UndoHistory : public DocumentHistory {
 public:
  explicit UndoHistory(Document& doc);
  ~UndoHistory() override;
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // Opens a group and drops what could be redone. A start inside an open
  // group nests: the group closes with the matching end.
  void StartGroup();
  // Closes the group (false when none is open). An empty group is dropped.
  bool EndGroup();
  bool group_open() const { return open_ != nullptr; }

  // Registers `op` before it changes, with kUndoChange or kUndoNewObject.
  // False when no group is open or the type is another.
  bool Add(int32_t type, Object& op);

  // Calls the host makes while a group may be open; each does nothing when
  // none is. Before `op` (of this document) changes:
  void CheckWrite(const Object& op);
  // After `op` was inserted into this document:
  void CheckInsert(const Object& op);
  // Before a writable pointer to `op`'s tag data of `tag_type` goes out:
  void WatchTagData(const Object& op, int32_t tag_type);
  // Before `op`'s selection flag changes:
  void NoteSelection(Object& op);

  // Takes back the last closed group whole; false when a group is open or
  // there is nothing to undo.
  bool Undo();
  // Brings back the last group undone; false when a group is open or there is
  // nothing to redo.
  bool Redo();

 private:
  Document& doc_;
  int depth_ = 0;
  std::unique_ptr<UndoGroup> open_;
  std::unique_ptr<CoverageCheck> check_;
  std::vector<std::unique_ptr<UndoGroup>> done_;
  std::vector<std::unique_ptr<UndoGroup>> undone_;
};

// The document's undo history, made on first use.
UndoHistory& UndoOf(Document& doc);
// The document's undo history, or null while none was made.
UndoHistory* UndoIfMade(const Document& doc);

// The open group's checks for a change of `op`, through `op`'s own document
// (nothing for an object outside any document).
void CheckUndoCoverage(const Object& op);

// Undo and redo of a document's last group, as a user asks for them.
bool Undo(Document& doc);
bool Redo(Document& doc);

}  // namespace standin
