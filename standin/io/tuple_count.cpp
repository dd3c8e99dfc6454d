#include "io/tuple_count.h"

#include <cstring>

namespace standin {
namespace {

bool IsJsonSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

size_t SkipSpace(std::string_view text, size_t at) {
  while (at < text.size() && IsJsonSpace(text[at])) ++at;
  return at;
}

}  // namespace

size_t CountTuples(std::string_view text, size_t shortest_tuple) {
  size_t count = 0;
  size_t at = SkipSpace(text, 0);
  while (at < text.size() && text[at] == '[') {
    const void* close = std::memchr(text.data() + at, ']', text.size() - at);
    if (close == nullptr) break;
    const size_t end = static_cast<size_t>(static_cast<const char*>(close) - text.data()) + 1;
    if (end - at < shortest_tuple) break;
    ++count;
    at = SkipSpace(text, end);
    if (at >= text.size() || text[at] != ',') break;
    at = SkipSpace(text, at + 1);
  }
  return count;
}

}  // namespace standin
