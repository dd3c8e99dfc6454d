// Documents and the pool that owns every object of a host session.
#pragma once

#include <deque>
#include <memory>

#include "scene/block_list.h"
#include "scene/object.h"

namespace standin {

class Scene;

// What the undo layer keeps for a document (its history): made there on
// first use, owned and freed by the document, which knows nothing more of it.
class DocumentHistory {
 public:
  virtual ~DocumentHistory() = default;
};

// A document: its top-level objects, in order, and its undo history.
class Document {
 public:
  explicit Document(Scene& scene);
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  Scene& scene() const { return scene_; }
  Object* first() const { return first_; }
  Object* last() const { return last_; }

  // Links `op`, which lies outside any document, under `parent` (null: top
  // level) right after `pred` (null: as the first child). `op`'s subtree
  // comes along and becomes part of this document.
  void Insert(Object* op, Object* parent, Object* pred);
  // Links `op` as the last child of `parent` (null: last top-level object).
  void Append(Object* op, Object* parent);
  // Unlinks `op` with its subtree; it then lies outside any document.
  void Remove(Object* op);

  // The undo history (see undo/undo_history.h), or null while none was made.
  DocumentHistory* history() const { return history_.get(); }
  void set_history(std::unique_ptr<DocumentHistory> history) { history_ = std::move(history); }

 private:
  Scene& scene_;
  Object* first_ = nullptr;
  Object* last_ = nullptr;
  std::unique_ptr<DocumentHistory> history_;
};

// Links `op` as the last child of `parent`; both lie outside any document
// (objects being built, such as a clone).
void LinkOutside(Object* op, Object* parent);

// Owns every object made during a session, in or out of a document, so that
// destroying a deep hierarchy never recurses.
class Scene {
 public:
  Object* NewObject(int32_t type);
  Document& NewDocument();

 private:
  // Objects in blocks, so that making one costs no allocation of its own and
  // none ever moves. Declared first, so that the documents (whose undo
  // histories refer to objects) go first.
  BlockList<Object> objects_;
  std::deque<Document> documents_;
};

// The object after `op` in depth-first pre-order within the subtree of
// `root` (an object, then its children, then its later siblings), or null.
Object* NextInSubtree(const Object* root, const Object* op);

// The object after `op` in depth-first pre-order over a whole document.
Object* NextInDocument(const Object* op);

}  // namespace standin
