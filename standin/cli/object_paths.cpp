#include "cli/object_paths.h"

#include <vector>

namespace standin {
namespace {

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> names;
  for (;;) {
    const size_t slash = path.find('/');
    names.push_back(path.substr(0, slash));
    if (slash == std::string_view::npos) return names;
    path.remove_prefix(slash + 1);
  }
}

}  // namespace

Object* FindObjectByPath(const Document& document, std::string_view path) {
  const std::vector<std::string_view> names = SplitPath(path);
  // Walks the matching part of the tree in pre-order without recursion:
  // `op` sits at depth `depth`, and every object above it matched.
  size_t depth = 0;
  Object* op = document.first();
  while (op != nullptr) {
    if (op->data.name == names[depth]) {
      if (depth + 1 == names.size()) return op;
      if (op->first_child != nullptr) {
        op = op->first_child;
        ++depth;
        continue;
      }
    }
    while (op != nullptr && op->next == nullptr) {
      op = op->parent;
      if (op != nullptr) --depth;
    }
    if (op != nullptr) op = op->next;
  }
  return nullptr;
}

}  // namespace standin
