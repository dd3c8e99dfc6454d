#include "base/quoted_text.h"

#include <cstdint>

namespace standin {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The code point of a well-formed sequence of `length` bytes.
uint32_t Decode(std::string_view text, size_t length) {
  const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(text[i])); };
  if (length == 1) return byte(0);
  static constexpr uint32_t kLeadMask[] = {0, 0, 0x1F, 0x0F, 0x07};
  uint32_t code = byte(0) & kLeadMask[length];
  for (size_t i = 1; i < length; ++i) code = (code << 6) | (byte(i) & 0x3F);
  return code;
}

// Characters that would break a message's line or hide in it: C0 and C1
// controls, DEL, and the Unicode line and paragraph separators.
bool IsControl(uint32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029;
}

// Appends `text` with every control character and invalid byte as '?', at
// most `limit` characters of it; true when all of it fitted.
bool AppendShown(std::string& out, std::string_view text, size_t limit) {
  for (size_t shown = 0; !text.empty(); ++shown) {
    if (shown == limit) return false;
    const size_t length = Utf8SequenceLength(text);
    if (length == 0 || IsControl(Decode(text, length))) {
      out += '?';
      text.remove_prefix(length == 0 ? 1 : length);
    } else {
      out.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return true;
}

}  // namespace

size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(byte(i))) return 0;
  }
  return length;
}

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const size_t length = Utf8SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

std::string QuoteForMessage(std::string_view text) {
  std::string quoted = "\"";
  if (!AppendShown(quoted, text, kLongestQuotedText)) quoted += "...";
  quoted += '"';
  return quoted;
}

std::string ShowInMessage(std::string_view text) {
  std::string shown;
  if (!text.empty() && AppendShown(shown, text, kLongestQuotedText) && shown == text) return shown;
  return QuoteForMessage(text);
}

}  // namespace standin
