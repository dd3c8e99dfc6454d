#include "scene/document.h"

namespace standin {
namespace {

void SetDocumentOfSubtree(Object* root, Document* doc) {
  for (Object* op = root; op != nullptr; op = NextInSubtree(root, op)) op->document = doc;
}

}  // namespace

Document::Document(Scene& scene) : scene_(scene) {}

Document::~Document() = default;

void LinkOutside(Object* op, Object* parent) {
  op->parent = parent;
  op->next = nullptr;
  op->prev = parent->last_child;
  if (parent->last_child) {
    parent->last_child->next = op;
  } else {
    parent->first_child = op;
  }
  parent->last_child = op;
}

void Document::Insert(Object* op, Object* parent, Object* pred) {
  Object*& first = parent ? parent->first_child : first_;
  Object*& last = parent ? parent->last_child : last_;
  op->parent = parent;
  op->prev = pred;
  op->next = pred ? pred->next : first;
  if (op->next) {
    op->next->prev = op;
  } else {
    last = op;
  }
  if (pred) {
    pred->next = op;
  } else {
    first = op;
  }
  SetDocumentOfSubtree(op, this);
}

void Document::Append(Object* op, Object* parent) { Insert(op, parent, parent ? parent->last_child : last_); }

void Document::Remove(Object* op) {
  Object*& first = op->parent ? op->parent->first_child : first_;
  Object*& last = op->parent ? op->parent->last_child : last_;
  (op->prev ? op->prev->next : first) = op->next;
  (op->next ? op->next->prev : last) = op->prev;
  op->parent = op->prev = op->next = nullptr;
  SetDocumentOfSubtree(op, nullptr);
}

Object* Scene::NewObject(int32_t type) {
  Object& op = objects_.emplace_back();
  op.type = type;
  op.scene = this;
  return &op;
}

Document& Scene::NewDocument() { return documents_.emplace_back(*this); }

Object* NextInSubtree(const Object* root, const Object* op) {
  if (op->first_child) return op->first_child;
  for (const Object* at = op; at != nullptr && at != root; at = at->parent) {
    if (at->next) return at->next;
  }
  return nullptr;
}

Object* NextInDocument(const Object* op) {
  if (op->first_child) return op->first_child;
  for (const Object* at = op; at != nullptr; at = at->parent) {
    if (at->next) return at->next;
  }
  return nullptr;
}

}  // namespace standin
