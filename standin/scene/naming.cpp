#include "scene/naming.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace standin {
namespace {

// The suffix number k when `other` is `name` followed by "." and k written as
// std::to_string writes it (no sign, no leading zero, k >= 1); 0 otherwise.
// Numbers of more than 18 digits are never reached by the search below, so
// they count as none.
uint64_t SuffixNumber(std::string_view other, std::string_view name) {
  if (other.size() < name.size() + 2 || !other.starts_with(name) || other[name.size()] != '.') return 0;
  const std::string_view digits = other.substr(name.size() + 1);
  if (digits.size() > 18 || digits.front() == '0') return 0;
  uint64_t k = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    k = k * 10 + static_cast<uint64_t>(c - '0');
  }
  return k;
}

}  // namespace

std::string UniqueName(const Document& doc, const std::string& name) {
  // One pass over the document: whether the name is taken, and which of its
  // suffixed forms are.
  bool taken = false;
  std::vector<uint64_t> suffixes;
  for (const Object* op = doc.first(); op != nullptr; op = NextInDocument(op)) {
    const std::string& other = op->data.name;
    if (other == name) {
      taken = true;
    } else if (const uint64_t k = SuffixNumber(other, name)) {
      suffixes.push_back(k);
    }
  }
  if (!taken) return name;
  std::sort(suffixes.begin(), suffixes.end());
  uint64_t free = 1;
  for (const uint64_t k : suffixes) {
    if (k == free) ++free;
    if (k > free) break;
  }
  return name + '.' + std::to_string(free);
}

}  // namespace standin
