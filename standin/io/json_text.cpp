#include "io/json_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <type_traits>
#include <variant>

#include "base/quoted_text.h"

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

char* WriteJsonFloat(char* out, double value) {
  // The shortest form has at most 24 bytes ("-2.2250738585072014e-308").
  char* end = std::to_chars(out, out + kJsonFloatMaxSize - 2, value).ptr;
  if (std::none_of(out, end, [](char c) { return c == '.' || c == 'e'; })) {
    *end++ = '.';
    *end++ = '0';
  }
  return end;
}

void AppendJsonFloat(std::string& out, double value) {
  char text[kJsonFloatMaxSize];
  out.append(text, WriteJsonFloat(text, value));
}

namespace {

// A finite float as AppendJsonFloat writes it, anything else as null.
bool AppendFiniteOrNull(std::string& out, double value) {
  if (std::isfinite(value)) {
    AppendJsonFloat(out, value);
    return true;
  }
  out += "null";
  return false;
}

}  // namespace

bool AppendJsonFloats(std::string& out, std::initializer_list<double> values) {
  bool finite = true;
  out += '[';
  for (const double* v = values.begin(); v != values.end(); ++v) {
    if (v != values.begin()) out += ", ";
    finite = AppendFiniteOrNull(out, *v) && finite;
  }
  out += ']';
  return finite;
}

bool AppendParamJson(std::string& out, const ParamValue& param) {
  return std::visit(
      [&out](const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, bool>) {
          out += value ? "true" : "false";
          return true;
        } else if constexpr (std::is_same_v<T, int32_t>) {
          out += std::to_string(value);
          return true;
        } else if constexpr (std::is_same_v<T, double>) {
          return AppendFiniteOrNull(out, value);
        } else if constexpr (std::is_same_v<T, Vec3>) {
          return AppendJsonFloats(out, {value.x, value.y, value.z});
        } else {
          bool finite = true;
          out += "{\"curve\": [";
          for (size_t i = 0; i < value.knots.size(); ++i) {
            if (i > 0) out += ", ";
            finite = AppendJsonFloats(out, {value.knots[i][0], value.knots[i][1]}) && finite;
          }
          out += "]}";
          return finite;
        }
      },
      param);
}

}  // namespace standin
