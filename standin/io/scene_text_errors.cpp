#include "io/scene_text_errors.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace standin::scene_reading {

size_t LoneLowSurrogateOffset(std::string_view json, size_t close) {
  // The opening quote: the nearest quote before that no backslash escapes.
  size_t open = close;
  for (;;) {
    open = json.rfind('"', open - 1);
    size_t backslashes = 0;
    while (backslashes < open && json[open - 1 - backslashes] == '\\') ++backslashes;
    if (backslashes % 2 == 0) break;
  }
  for (size_t at = open + 1; at + 6 <= close; ++at) {
    if (json[at] != '\\') continue;
    if (json[++at] != 'u') continue;
    unsigned code = 0;
    std::from_chars(json.data() + at + 1, json.data() + at + 5, code, 16);
    if (code >= 0xDC00 && code <= 0xDFFF) return at - 1;
    at += code >= 0xD800 && code <= 0xDBFF ? 10 : 4;  // a high surrogate's low half follows
  }
  return close;
}

std::string_view ParseErrorText(rapidjson::ParseErrorCode code) {
  switch (code) {
    case rapidjson::kParseErrorDocumentEmpty:
      return "no JSON value";
    case rapidjson::kParseErrorDocumentRootNotSingular:
      return "text after the top-level value";
    case rapidjson::kParseErrorValueInvalid:
      return "invalid value";
    case rapidjson::kParseErrorObjectMissName:
      return "expected a key in quotes";
    case rapidjson::kParseErrorObjectMissColon:
      return "expected ':' after a key";
    case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
      return "expected ',' or '}' after an object member";
    case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
      return "expected ',' or ']' after an array element";
    case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
      return "invalid \\u escape";
    case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
      return kUnpairedSurrogate;
    case rapidjson::kParseErrorStringEscapeInvalid:
      return "invalid escape sequence";
    case rapidjson::kParseErrorStringMissQuotationMark:
      return "string without its closing quote";
    case rapidjson::kParseErrorStringInvalidEncoding:
      return "invalid UTF-8";
    case rapidjson::kParseErrorNumberTooBig:
      return "number outside the range of a 64-bit float";
    case rapidjson::kParseErrorNumberMissFraction:
      return "expected digits after '.'";
    case rapidjson::kParseErrorNumberMissExponent:
      return "expected digits in the exponent";
    default:
      return "malformed JSON";
  }
}

SceneReadError PositionError(std::string_view file_name, std::string_view text, size_t offset,
                             std::string_view message) {
  offset = std::min(offset, text.size());
  size_t line = 1, column = 1;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return SceneReadError(std::string(file_name) + ':' + std::to_string(line) + ':' + std::to_string(column) +
                        ": " + std::string(message));
}

}  // namespace standin::scene_reading
