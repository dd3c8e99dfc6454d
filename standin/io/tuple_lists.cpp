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

// Whether the text from `at` begins as a JSON number may: an optional
// minus, then a digit, and no zero that another digit follows. The rest of
// the number, std::from_chars reads; it takes more than JSON does only in a
// point that no digit follows ("1.", "1.e5"), which the callers refuse.
bool StartsJsonNumber(const char* at, const char* end) {
  if (at != end && *at == '-') ++at;
  if (at == end || !IsDigit(*at)) return false;
  return !(*at == '0' && at + 1 != end && IsDigit(at[1]));
}

}  // namespace

bool TupleText::Number(double& value) {
  const char* const begin = text_.data() + at_;
  const char* const end = text_.data() + text_.size();
  if (!StartsJsonNumber(begin, end)) return false;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc()) return false;
  const void* point = std::memchr(begin, '.', static_cast<size_t>(stop - begin));
  if (point != nullptr &&
      (static_cast<const char*>(point) + 1 == stop || !IsDigit(static_cast<const char*>(point)[1])))
    return false;
  at_ += static_cast<size_t>(stop - begin);
  SkipSpace();
  return true;
}

bool TupleText::Number(int32_t& value) {
  const char* const begin = text_.data() + at_;
  const char* const end = text_.data() + text_.size();
  if (!StartsJsonNumber(begin, end)) return false;
  const auto [stop, error] = std::from_chars(begin, end, value);
  // A fraction or an exponent makes a float, which an index is not.
  if (error != std::errc() || (stop != end && (*stop == '.' || *stop == 'e' || *stop == 'E'))) return false;
  at_ += static_cast<size_t>(stop - begin);
  SkipSpace();
  return true;
}

TupleRun CountTuples(std::string_view text, size_t shortest_tuple) {
  TupleRun run;
  size_t at = SkipSpace(text, 0);
  while (at < text.size() && text[at] == '[') {
    const void* close = std::memchr(text.data() + at, ']', text.size() - at);
    if (close == nullptr) break;
    const size_t end = static_cast<size_t>(static_cast<const char*>(close) - text.data()) + 1;
    if (end - at < shortest_tuple) break;
    ++run.count;
    run.end = end;
    at = SkipSpace(text, end);
    if (at >= text.size() || text[at] != ',') break;
    at = SkipSpace(text, at + 1);
  }
  return run;
}

std::optional<TupleSplit> SplitTuplesAt(std::string_view text, size_t from) {
  if (from >= text.size()) return std::nullopt;
  const void* close = std::memchr(text.data() + from, ']', text.size() - from);
  if (close == nullptr) return std::nullopt;
  const size_t comma =
      SkipSpace(text, static_cast<size_t>(static_cast<const char*>(close) - text.data()) + 1);
  if (comma >= text.size() || text[comma] != ',') return std::nullopt;
  const size_t second = SkipSpace(text, comma + 1);
  if (second >= text.size() || text[second] != '[') return std::nullopt;
  return TupleSplit{comma, second};
}

}  // namespace standin
