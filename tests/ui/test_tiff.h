// Test pictures: the bytes of a baseline, uncompressed 8-bit RGB TIFF, made
// here rather than by the codec under test, so a reader is checked against
// a writer that is not its own.
#pragma once

#include <cstdint>
#include <string>

namespace standin::test_tiff {

inline void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xff);
  out += static_cast<char>((value >> 8) & 0xff);
}
inline void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

// A file whose header says `width` x `height` and whose one strip holds
// `rgb` (width * height * 3 bytes for a whole picture; fewer for a header
// that claims more than the file holds).
inline std::string RgbTiff(uint32_t width, uint32_t height, const std::string& rgb) {
  std::string out = "II";
  Put16(out, 42);
  const auto pixels_at = uint32_t{8};
  const auto bits_at = pixels_at + static_cast<uint32_t>(rgb.size());
  const uint32_t ifd_at = bits_at + 6;
  Put32(out, ifd_at);
  out += rgb;
  for (int sample = 0; sample < 3; ++sample) Put16(out, 8);
  struct Entry {
    uint16_t tag, type;
    uint32_t count, value;
  };
  const uint16_t kShort = 3, kLong = 4;
  const Entry entries[] = {
      {256, kLong, 1, width},  {257, kLong, 1, height}, {258, kShort, 3, bits_at},
      {259, kShort, 1, 1},     {262, kShort, 1, 2},     {273, kLong, 1, pixels_at},
      {277, kShort, 1, 3},     {278, kLong, 1, height}, {279, kLong, 1, static_cast<uint32_t>(rgb.size())},
      {284, kShort, 1, 1},
  };
  Put16(out, sizeof entries / sizeof entries[0]);
  for (const Entry& entry : entries) {
    Put16(out, entry.tag);
    Put16(out, entry.type);
    Put32(out, entry.count);
    // A single short sits in the first two bytes of the value field.
    if (entry.type == kShort && entry.count == 1) {
      Put16(out, entry.value);
      Put16(out, 0);
    } else {
      Put32(out, entry.value);
    }
  }
  Put32(out, 0);  // no further picture
  return out;
}

}  // namespace standin::test_tiff
