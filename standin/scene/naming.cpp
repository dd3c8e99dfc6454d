#include "scene/naming.h"

#include <string_view>
#include <unordered_set>

namespace standin {

std::string UniqueName(const Document& doc, const std::string& name) {
  std::unordered_set<std::string_view> taken;
  for (const Object* op = doc.first(); op != nullptr; op = NextInDocument(op)) taken.insert(op->data.name);
  if (!taken.contains(name)) return name;
  // At most taken.size() suffixes can be in use, so this ends in time.
  for (std::size_t k = 1;; ++k) {
    std::string candidate = name + '.' + std::to_string(k);
    if (!taken.contains(candidate)) return candidate;
  }
}

}  // namespace standin
