#include "loader/library_extent.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

namespace standin {
namespace {

// The first bytes of a file, enough for every header and table looked at;
// a library's headers sit at its start.
constexpr std::size_t kHeadBytes = 1 << 16;

class Bytes {
 public:
  Bytes(std::vector<unsigned char> bytes, bool big_endian) : bytes_(std::move(bytes)), big_(big_endian) {}

  // The unsigned number of `count` bytes at `at`, or nothing past the end.
  std::optional<uint64_t> At(uint64_t at, int count) const {
    if (at > bytes_.size() || bytes_.size() - at < static_cast<uint64_t>(count)) return std::nullopt;
    uint64_t value = 0;
    for (int i = 0; i < count; ++i) {
      const unsigned char byte = bytes_[static_cast<std::size_t>(at) + (big_ ? i : count - 1 - i)];
      value = value << 8 | byte;
    }
    return value;
  }

 private:
  std::vector<unsigned char> bytes_;
  bool big_;
};

// The end of the furthest extent the headers name; nothing when a table
// lies beyond the bytes read (the file is then short by that much at least).
struct Extent {
  uint64_t end = 0;
  void Cover(uint64_t offset, uint64_t size) {
    end = std::max(end, offset + std::min(size, UINT64_MAX - offset));
  }
};

#ifndef _WIN32
constexpr uint32_t kElfNoBits = 8;  // a section of zeros that takes no room in the file

// ELF: the program header table and every segment's bytes in the file, the
// section header table and every section that has bytes.
Extent ElfExtent(const Bytes& file, bool wide) {
  Extent extent;
  const int word = wide ? 8 : 4;
  const uint64_t phoff = file.At(wide ? 32 : 28, word).value_or(0);
  const uint64_t shoff = file.At(wide ? 40 : 32, word).value_or(0);
  const uint64_t phsize = file.At(wide ? 54 : 42, 2).value_or(0);
  const uint64_t phnum = file.At(wide ? 56 : 44, 2).value_or(0);
  const uint64_t shsize = file.At(wide ? 58 : 46, 2).value_or(0);
  const uint64_t shnum = file.At(wide ? 60 : 48, 2).value_or(0);
  extent.Cover(phoff, phsize * phnum);
  for (uint64_t i = 0; i < phnum; ++i) {
    const uint64_t at = phoff + i * phsize;
    const auto offset = file.At(at + (wide ? 8 : 4), word);
    const auto size = file.At(at + (wide ? 32 : 16), word);
    if (offset && size) extent.Cover(*offset, *size);
  }
  if (shoff != 0) extent.Cover(shoff, shsize * shnum);
  for (uint64_t i = 0; shoff != 0 && i < shnum; ++i) {
    const uint64_t at = shoff + i * shsize;
    const auto type = file.At(at + 4, 4);
    const auto offset = file.At(at + (wide ? 24 : 16), word);
    const auto size = file.At(at + (wide ? 32 : 20), word);
    if (type && offset && size && *type != kElfNoBits) extent.Cover(*offset, *size);
  }
  return extent;
}

#else
// PE: the headers and every section's raw data.
Extent PeExtent(const Bytes& file, uint64_t pe) {
  Extent extent;
  const uint64_t sections = file.At(pe + 6, 2).value_or(0);
  const uint64_t optional_size = file.At(pe + 20, 2).value_or(0);
  extent.Cover(0, file.At(pe + 24 + 60, 4).value_or(0));  // SizeOfHeaders
  const uint64_t table = pe + 24 + optional_size;
  extent.Cover(table, sections * 40);
  for (uint64_t i = 0; i < sections; ++i) {
    const auto size = file.At(table + i * 40 + 16, 4);
    const auto offset = file.At(table + i * 40 + 20, 4);
    if (size && offset && *size > 0) extent.Cover(*offset, *size);
  }
  return extent;
}

#endif

}  // namespace

std::optional<std::string> CutShort(const std::filesystem::path& path) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  std::ifstream in(path, std::ios::binary);
  if (error || !in) return std::nullopt;
  std::vector<unsigned char> head(kHeadBytes);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  // Only the system's own format is mapped by its loader; a library of the
  // other format is refused by the loader before it reads any segment.
  std::optional<Extent> extent;
#ifdef _WIN32
  if (head.size() >= 64 && head[0] == 'M' && head[1] == 'Z') {
    const Bytes file(head, false);
    const uint64_t pe = file.At(0x3c, 4).value_or(0);
    if (file.At(pe, 4) == uint64_t{0x4550}) extent = PeExtent(file, pe);  // "PE\0\0"
  }
#else
  if (head.size() >= 16 && head[0] == 0x7f && head[1] == 'E' && head[2] == 'L' && head[3] == 'F')
    extent = ElfExtent(Bytes(head, head[5] == 2), head[4] == 2);
#endif
  if (!extent || extent->end <= size) return std::nullopt;
  return "cut short: its headers name " + std::to_string(extent->end) + " bytes, the file holds " +
         std::to_string(size) + " (an unfinished copy?); copy the plug-in again";
}

}  // namespace standin
