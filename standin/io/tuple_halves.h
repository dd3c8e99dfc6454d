// Reading a long list of number tuples on two threads, for a large mesh
// whose points and polygons are most of a scene file's text: the caller's
// thread reads the first half of the list and a helper the second, each
// straight into its own part of the list's storage, so that the two share
// nothing while they read (not even a cache line: a counter of one beside
// a value the other reads slowed both to the speed of one).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "base/fault_ahead.h"
#include "io/temporary_names.h"
#include "io/tuple_lists.h"

namespace standin {

// Lists with fewer tuples are read on the caller's thread alone.
inline constexpr size_t kTuplesWorthTwoThreads = size_t{64} << 10;

// Reads, as ReadTuples does, the array whose elements begin at `text`, of
// which CountTuples found `run`, into `list` (empty, with room for
// run.count elements), each tuple made an element by `make`. Answers where
// the array's closing bracket stands when it holds exactly run.count valid
// tuples; nothing otherwise (an error in the text, no thread to be had, a
// list too short to share), and then `list` is empty again: ReadTuples
// decides, on one thread, what such a text holds.
template <size_t N, typename Number, typename T, typename Make>
std::optional<size_t> ReadTuplesOnTwoThreads(std::string_view text, const TupleRun& run, std::vector<T>& list,
                                             const Make& make) {
  if (run.count < kTuplesWorthTwoThreads) return std::nullopt;
  const std::optional<TupleSplit> split = SplitTuplesAt(text.substr(0, run.end), run.end / 2);
  if (!split) return std::nullopt;
  const size_t first_count = CountTuples(text.substr(0, split->comma), 1).count;
  if (first_count == 0 || first_count >= run.count) return std::nullopt;
  {
    // Each thread then writes only to pages that are ready.
    const FaultAhead ready(list.data(), list.capacity() * sizeof(T));
    list.resize(run.count);
  }
  // The helper keeps its own count and answer until it ends; only then are
  // they copied out to where the caller looks.
  size_t second_count = 0;
  std::optional<size_t> second_close;
  std::thread helper;
  try {
    const InterruptionsHeld held;  // the helper starts, and stays, with them blocked
    helper = std::thread([second_text = text.substr(split->second), to = list.data() + first_count,
                          room = run.count - first_count, make, &second_count, &second_close] {
      size_t count = 0;
      const std::optional<size_t> close =
          ReadTuples<N, Number>(second_text, [&count, to, room, &make](const std::array<Number, N>& numbers) {
            if (count < room) to[count] = make(numbers);
            ++count;
          });
      second_count = count;
      second_close = close;
    });
  } catch (const std::system_error&) {
    list.clear();
    return std::nullopt;
  }
  TupleText first(text.substr(0, split->comma));
  size_t first_read = 0;
  T* const to = list.data();
  const bool first_valid =
      ReadTupleRun<N, Number>(first, [&first_read, to, first_count, &make](const auto& numbers) {
        if (first_read < first_count) to[first_read] = make(numbers);
        ++first_read;
      });
  helper.join();
  if (!first_valid || first.at() != split->comma || first_read != first_count || !second_close ||
      first_count + second_count != run.count) {
    list.clear();
    return std::nullopt;
  }
  return split->second + *second_close;
}

}  // namespace standin
