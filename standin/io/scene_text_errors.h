// Errors in scene text that is not JSON the reader can take, placed by line
// and column, and the one flaw of strings the parser lets through.
#pragma once

#include <rapidjson/error/error.h>

#include <cstddef>
#include <string_view>

#include "io/scene_reader.h"

namespace standin::scene_reading {

inline constexpr std::string_view kUnpairedSurrogate =
    "\\u escape of an unpaired surrogate (\\uD800-\\uDBFF must be followed by \\uDC00-\\uDFFF)";

// Whether `decoded` holds the bytes of a surrogate. The parser rejects a lone
// high surrogate escape but decodes a lone low one ("\uDC00" to "\uDFFF")
// into such bytes; raw surrogate bytes fail its UTF-8 check, so these can
// only come from that escape.
inline bool HoldsSurrogate(std::string_view decoded) {
  for (size_t i = 0; i + 1 < decoded.size(); ++i) {
    if (decoded[i] == '\xED' && static_cast<unsigned char>(decoded[i + 1]) >= 0xA0) return true;
  }
  return false;
}

// Where the first escape of a lone low surrogate starts in the JSON string
// whose closing quote is at `close`.
size_t LoneLowSurrogateOffset(std::string_view json, size_t close);

// The parser's error, as messages say it.
std::string_view ParseErrorText(rapidjson::ParseErrorCode code);

// "FILE:LINE:COLUMN: message", the line and column (from 1) of the byte at
// `offset`; columns count characters, not bytes.
SceneReadError PositionError(std::string_view file_name, std::string_view text, size_t offset,
                             std::string_view message);

}  // namespace standin::scene_reading
