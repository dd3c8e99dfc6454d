#include "io/json_text.h"

#include <algorithm>
#include <charconv>

#include "io/quoted_text.h"

namespace standin {

void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  while (!text.empty()) {
    const unsigned char c = static_cast<unsigned char>(text.front());
    size_t used = 1;
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else if (const size_t length = Utf8SequenceLength(text); length > 0) {
          out.append(text.substr(0, length));
          used = length;
        } else {
          out += "\xEF\xBF\xBD";  // U+FFFD for one stray byte
        }
    }
    text.remove_prefix(used);
  }
  out += '"';
}

void AppendJsonFloat(std::string& out, double value) {
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, value).ptr;
  out.append(text, end);
  if (std::none_of(text, end, [](char c) { return c == '.' || c == 'e'; })) out += ".0";
}

}  // namespace standin
