#include "io/tuple_lists.h"

#include <charconv>
#include <cstring>

namespace standin {
namespace {

bool IsJsonSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

size_t SkipSpace(std::string_view text, size_t at) {
  while (at < text.size() && IsJsonSpace(text[at])) ++at;
  return at;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the JSON number at the start of `text` (0 for none):
// -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?; `integer` tells whether it
// has neither fraction nor exponent.
size_t JsonNumberLength(std::string_view text, bool& integer) {
  size_t at = 0;
  const auto digits = [&] {
    const size_t first = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at > first;
  };
  if (at < text.size() && text[at] == '-') ++at;
  if (at < text.size() && text[at] == '0') {
    ++at;
  } else if (!digits()) {
    return 0;
  }
  integer = true;
  if (at < text.size() && text[at] == '.') {
    ++at;
    if (!digits()) return 0;
    integer = false;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (!digits()) return 0;
    integer = false;
  }
  return at;
}

}  // namespace

bool TupleText::Number(double& value) {
  bool integer = false;
  const std::string_view rest = text_.substr(at_);
  const size_t length = JsonNumberLength(rest, integer);
  if (length == 0) return false;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + length, value);
  if (error != std::errc() || end != rest.data() + length) return false;
  at_ += length;
  SkipSpace();
  return true;
}

bool TupleText::Number(int32_t& value) {
  bool integer = false;
  const std::string_view rest = text_.substr(at_);
  const size_t length = JsonNumberLength(rest, integer);
  if (length == 0 || !integer) return false;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + length, value);
  if (error != std::errc() || end != rest.data() + length) return false;
  at_ += length;
  SkipSpace();
  return true;
}

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
