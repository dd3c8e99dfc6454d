// Lists of number tuples in scene text (points, tangents, polygons): a quick
// count ahead, so that the reader sizes their storage once, and a direct
// read of their plain form, so that the bulk of a big scene does not go
// through the general parser one event at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace standin {

// The tuples counted at the start of a text, and where the last one ends.
struct TupleRun {
  size_t count = 0;
  size_t end = 0;  // just past the last one's closing bracket
};

// How many tuples the array whose elements begin at `text` (just past its
// opening bracket) appears to hold: elements "[...]" separated by commas,
// each found by its closing bracket. A capacity hint only: counting stops at
// the array's end, at anything that is not a tuple and at any tuple shorter
// than `shortest_tuple` bytes (the shortest valid one, e.g. 7 for "[0,0,0]"),
// so that the count never exceeds what a valid array of the same text would
// hold, however the text lies.
TupleRun CountTuples(std::string_view text, size_t shortest_tuple);

// Where a list of tuples may be cut in two: the comma after the first
// closing bracket from `from` on, and the opening bracket of the tuple after
// it; nothing when no comma and bracket follow that closing bracket.
struct TupleSplit {
  size_t comma = 0;
  size_t second = 0;
};
std::optional<TupleSplit> SplitTuplesAt(std::string_view text, size_t from);

// Scene text read token by token in the plain form of number tuples; each
// call takes its token and the whitespace after it, or answers false and
// takes nothing when the text holds something else there.
class TupleText {
 public:
  explicit TupleText(std::string_view text) : text_(text) { SkipSpace(); }

  bool Take(char c) {
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    SkipSpace();
    return true;
  }
  bool Next(char c) const { return at_ < text_.size() && text_[at_] == c; }
  // A JSON number, as the nearest double (false also when out of range).
  bool Number(double& value);
  // A JSON integer within 32 bits.
  bool Number(int32_t& value);
  size_t at() const { return at_; }

 private:
  void SkipSpace() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
      ++at_;
  }

  std::string_view text_;
  size_t at_ = 0;
};

// Reads tuples of N numbers separated by commas for as long as they go on,
// handing each to `store`; false when something else stands where a tuple
// or one of its parts should.
template <size_t N, typename Number, typename Store>
bool ReadTupleRun(TupleText& in, Store&& store) {
  std::array<Number, N> tuple;
  do {
    if (!in.Take('[')) return false;
    for (size_t i = 0; i < N; ++i) {
      if ((i > 0 && !in.Take(',')) || !in.Number(tuple[i])) return false;
    }
    if (!in.Take(']')) return false;
    store(tuple);
  } while (in.Take(','));
  return true;
}

// Reads the non-empty array whose elements begin at `text` (just past its
// opening bracket) when it holds only tuples of N valid JSON numbers of
// type `Number` (a double also takes integers), handing each tuple to
// `store`. Answers where the array's closing bracket stands in `text`;
// nothing for anything else (an empty array, another element, a tuple of
// another size, a number out of range, text that is not JSON), which the
// general parser then reads to find the error and its place: the caller
// drops what `store` kept.
template <size_t N, typename Number, typename Store>
std::optional<size_t> ReadTuples(std::string_view text, Store&& store) {
  TupleText in(text);
  if (!ReadTupleRun<N, Number>(in, store) || !in.Next(']')) return std::nullopt;
  return in.at();
}

}  // namespace standin
