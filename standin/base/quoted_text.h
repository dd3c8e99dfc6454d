// User text as error messages show it: always on one short line, whatever
// the text holds. In the base library, so that every part of the host
// (resources, dialogs, scene files, the program) quotes text the same way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace standin {

// The length of the well-formed UTF-8 sequence that starts `text` (RFC 3629:
// no overlong forms, no surrogates, nothing above U+10FFFF), or 0.
size_t Utf8SequenceLength(std::string_view text);

// Whether all of `text` is well-formed UTF-8, as the host requires of names.
bool IsUtf8(std::string_view text);

// The longest text, in characters (code points), that a message shows whole.
inline constexpr size_t kLongestQuotedText = 60;

// `text` in double quotes: control characters (line breaks included) and
// bytes that are not UTF-8 become '?', and a text longer than
// kLongestQuotedText characters is cut there and ends in "...".
std::string QuoteForMessage(std::string_view text);

// `text` unchanged when it already shows as one short line (no control
// characters, valid UTF-8, at most kLongestQuotedText characters, not
// empty); otherwise as QuoteForMessage shows it.
std::string ShowInMessage(std::string_view text);

}  // namespace standin
