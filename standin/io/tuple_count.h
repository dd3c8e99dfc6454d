// A quick forward count of the tuples in a scene array (points, tangents,
// polygons), so that the reader sizes their storage once.
#pragma once

#include <cstddef>
#include <string_view>

namespace standin {

// How many tuples the array whose elements begin at `text` (just past its
// opening bracket) appears to hold: elements "[...]" separated by commas,
// each found by its closing bracket. A capacity hint only: counting stops at
// the array's end, at anything that is not a tuple and at any tuple shorter
// than `shortest_tuple` bytes (the shortest valid one, e.g. 7 for "[0,0,0]"),
// so that the count never exceeds what a valid array of the same text would
// hold, however the text lies.
size_t CountTuples(std::string_view text, size_t shortest_tuple);

}  // namespace standin
