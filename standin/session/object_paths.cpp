#include "session/object_paths.h"

#include <vector>

#include "base/quoted_text.h"

namespace standin {
namespace {

// At most this many paths are offered for a missing one.
constexpr size_t kSuggestions = 3;

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> names;
  for (;;) {
    const size_t slash = path.find('/');
    names.push_back(path.substr(0, slash));
    if (slash == std::string_view::npos) return names;
    path.remove_prefix(slash + 1);
  }
}

// Whether the names of `chain` (from the top down) end with `names`.
bool EndsWith(const std::vector<const Object*>& chain, const std::vector<std::string_view>& names) {
  if (chain.size() < names.size()) return false;
  const size_t skip = chain.size() - names.size();
  for (size_t i = names.size(); i-- > 0;) {
    if (chain[skip + i]->data.name != names[i]) return false;
  }
  return true;
}

std::string JoinNames(const std::vector<const Object*>& chain) {
  std::string path;
  for (size_t i = 0; i < chain.size(); ++i) {
    if (i > 0) path += '/';
    path += chain[i]->data.name;
  }
  return path;
}

// The paths of the first `limit` objects in document order whose paths end
// with `names`. Walks the whole document without recursion, keeping the
// chain of objects from the top down to the current one.
std::vector<std::string> PathsEndingWith(const Document& document, const std::vector<std::string_view>& names,
                                         size_t limit) {
  std::vector<std::string> found;
  std::vector<const Object*> chain;
  const Object* op = document.first();
  while (op != nullptr && found.size() < limit) {
    chain.push_back(op);
    if (EndsWith(chain, names)) found.push_back(JoinNames(chain));
    if (op->first_child != nullptr) {
      op = op->first_child;
      continue;
    }
    while (op != nullptr && op->next == nullptr) {
      op = op->parent;
      chain.pop_back();
    }
    if (op != nullptr) {
      op = op->next;
      chain.pop_back();
    }
  }
  return found;
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

std::string NoObjectMessage(const Document& document, std::string_view path) {
  std::string message = "the scene has no object " + ShowInMessage(path);
  const std::vector<std::string> near = PathsEndingWith(document, SplitPath(path), kSuggestions);
  for (size_t i = 0; i < near.size(); ++i) {
    message += i == 0 ? "; did you mean " : i + 1 == near.size() ? " or " : ", ";
    message += ShowInMessage(near[i]);
  }
  if (!near.empty()) message += '?';
  return message;
}

}  // namespace standin
