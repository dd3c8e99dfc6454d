// Reading UTF-8 text one code point at a time, for drawing it.
#pragma once

#include <cstddef>
#include <string_view>

namespace standin {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point that starts at `at`, moving `at` past it. A byte sequence
// that is not UTF-8 (a stray continuation byte, a truncated or overlong
// sequence, a surrogate, a value past U+10FFFF) gives U+FFFD and moves past
// its longest valid-looking start, as Unicode recommends, so that the text
// after it still reads. The caller keeps `at` < text.size().
char32_t NextCodePoint(std::string_view text, std::size_t& at);

// The longest start of `text` of at most `max_bytes` bytes that does not cut
// a character in two: names and captions are shortened with it.
std::string_view WholeCharactersWithin(std::string_view text, std::size_t max_bytes);

}  // namespace standin
