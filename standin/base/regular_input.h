// The host's one rule for every file it reads from outside (scenes,
// scripts, resource files, pictures): a regular file, or standard input
// where `-` is allowed, and never more than a stated size. A FIFO would
// block the host forever and /dev/zero would fill its memory, so neither is
// ever read.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace standin {

struct InputKind {
  std::string_view what;      // "a scene", as messages name it
  uint64_t max_bytes;         // the most the host reads of one
  std::string_view max_text;  // max_bytes as messages name it: "4 GiB"
  bool from_standard_input;   // "-" reads standard input
};

inline constexpr InputKind kSceneInput{"a scene", uint64_t{4} << 30, "4 GiB", true};
inline constexpr InputKind kScriptInput{"a script", uint64_t{16} << 20, "16 MiB", true};
inline constexpr InputKind kResourceInput{"a resource file", uint64_t{16} << 20, "16 MiB", false};
inline constexpr InputKind kPictureInput{"a picture", uint64_t{256} << 20, "256 MiB", false};

using InputFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// `path` opened for reading bytes when it names, through links, a regular
// file no larger than `kind` takes; otherwise null, and `reason` says why
// without naming the path ("is a FIFO, not a regular file; ...").
InputFile OpenRegularInput(const std::filesystem::path& path, const InputKind& kind, std::string& reason);

// Reads what is left of `file` into `text` (replacing its contents), at
// most `limit` bytes. A regular file is read into a buffer sized once from
// its length, so that a large file is never copied while it is read; a
// stream grows as it comes. False with errno set on a read error, EFBIG
// when there is more than `limit`.
bool ReadRestOfFile(std::FILE* file, std::string& text, uint64_t limit = UINT64_MAX);

// The whole of `path`, or of standard input, under the rule; false with
// `reason` otherwise.
bool ReadInput(const std::filesystem::path& path, const InputKind& kind, std::string& text,
               std::string& reason);
bool ReadStandardInput(const InputKind& kind, std::string& text, std::string& reason);

// The whole text of an input, for the large ones (scenes): a regular file
// is read straight into memory of its size, each byte written once, with
// neither a string's zero-fill nor a copy through a buffer on the way; a
// stream, or a file that grew while it was read, is read as a string.
class InputText {
 public:
  std::string_view view() const {
    return whole_ ? std::string_view(whole_.get(), whole_size_) : std::string_view(read_);
  }

 private:
  friend bool ReadInput(const std::filesystem::path&, const InputKind&, InputText&, std::string&);
  friend bool ReadStandardInput(const InputKind&, InputText&, std::string&);

  std::unique_ptr<char[]> whole_;
  size_t whole_size_ = 0;
  std::string read_;
};

bool ReadInput(const std::filesystem::path& path, const InputKind& kind, InputText& text,
               std::string& reason);
bool ReadStandardInput(const InputKind& kind, InputText& text, std::string& reason);

}  // namespace standin
