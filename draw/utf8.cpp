#include "draw/utf8.h"

namespace standin {

char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  int32_t more = 0;
  char32_t value = 0;
  // The allowed range of the second byte rules out overlong forms,
  // surrogates and values past U+10FFFF.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    value = lead & 0x0Fu;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    value = lead & 0x07u;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return kReplacementCharacter;
  }
  for (int32_t i = 0; i < more; ++i) {
    if (at >= text.size()) return kReplacementCharacter;
    const auto next = static_cast<unsigned char>(text[at]);
    if (next < low || next > high) return kReplacementCharacter;
    value = (value << 6) | (next & 0x3Fu);
    ++at;
    low = 0x80;
    high = 0xBF;
  }
  return value;
}

std::string_view WholeCharactersWithin(std::string_view text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return text;
  std::size_t end = max_bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace standin
