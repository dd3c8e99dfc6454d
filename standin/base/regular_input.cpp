#include "base/regular_input.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "base/fault_ahead.h"
#include "base/large_pages.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace standin {
namespace {

#ifdef _WIN32
using Status = struct _stat64;
bool StatusOf(const std::filesystem::path& path, Status& status) {
  return _wstat64(path.c_str(), &status) == 0;
}
bool StatusOf(std::FILE* file, Status& status) { return _fstat64(_fileno(file), &status) == 0; }
bool IsRegular(const Status& status) { return (status.st_mode & _S_IFMT) == _S_IFREG; }

// Only what Windows can name: a folder, a device (NUL, CON), a pipe.
const char* KindOf(const Status& status) {
  switch (status.st_mode & _S_IFMT) {
    case _S_IFDIR:
      return "a folder";
    case _S_IFCHR:
      return "a device";
    case _S_IFIFO:
      return "a pipe";
    default:
      return "not a regular file";
  }
}

std::FILE* OpenBytes(const std::filesystem::path& path) { return _wfopen(path.c_str(), L"rb"); }
#else
using Status = struct stat;
bool StatusOf(const std::filesystem::path& path, Status& status) { return stat(path.c_str(), &status) == 0; }
bool StatusOf(std::FILE* file, Status& status) { return fstat(fileno(file), &status) == 0; }
bool IsRegular(const Status& status) { return S_ISREG(status.st_mode); }

const char* KindOf(const Status& status) {
  if (S_ISDIR(status.st_mode)) return "a folder";
  if (S_ISFIFO(status.st_mode)) return "a FIFO";
  if (S_ISCHR(status.st_mode)) return "a character device";
  if (S_ISBLK(status.st_mode)) return "a block device";
  if (S_ISSOCK(status.st_mode)) return "a socket";
  return "not a regular file";
}

// Opened without waiting: a FIFO that replaced the file since it was looked
// at would block open() until a writer came. The flag is cleared once the
// file is known to be regular, where it changes nothing anyway.
std::FILE* OpenBytes(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) close(fd);
  return file;
}
#endif

std::string NotRegular(const Status& status, const InputKind& kind) {
  std::string reason = KindOf(status);
  if (reason != "not a regular file") reason = "is " + reason + ", not a regular file";
  reason += "; " + std::string(kind.what) + " is read from a regular file";
  if (kind.from_standard_input) reason += " or from standard input (-)";
  return reason;
}

std::string TooLarge(const InputKind& kind) {
  return "holds more than " + std::string(kind.max_text) + ", the most standin reads as " +
         std::string(kind.what);
}

// How many bytes a regular file holds; 0 for a stream, whose length is not
// known beforehand.
uint64_t RegularFileSize(std::FILE* file) {
  Status status{};
  if (!StatusOf(file, status) || !IsRegular(status)) return 0;
  return status.st_size > 0 ? static_cast<uint64_t>(status.st_size) : 0;
}

constexpr size_t kFirstChunk = size_t{1} << 16;
// Small enough to stay in the processor's cache between the read and the copy.
constexpr size_t kReadChunk = size_t{1} << 17;

bool ReadAll(std::FILE* file, const InputKind& kind, std::string& text, std::string& reason) {
  if (ReadRestOfFile(file, text, kind.max_bytes)) return true;
  reason = errno == EFBIG ? TooLarge(kind) : std::string("cannot read: ") + std::strerror(errno);
  return false;
}

}  // namespace

InputFile OpenRegularInput(const std::filesystem::path& path, const InputKind& kind, std::string& reason) {
  InputFile none(nullptr, &std::fclose);
  Status status{};
  // Looked at before it is opened, so that opening a device has no effect.
  if (StatusOf(path, status) && !IsRegular(status)) {
    reason = NotRegular(status, kind);
    return none;
  }
  InputFile file(OpenBytes(path), &std::fclose);
  if (!file) {
    reason = std::string("cannot open: ") + std::strerror(errno);
    return none;
  }
  if (!StatusOf(file.get(), status) || !IsRegular(status)) {
    reason = NotRegular(status, kind);
    return none;
  }
  if (static_cast<uint64_t>(status.st_size) > kind.max_bytes) {
    reason = TooLarge(kind);
    return none;
  }
  return file;
}

bool ReadRestOfFile(std::FILE* file, std::string& text, uint64_t limit) {
  // Read through a small buffer that stays in the cache and appended, so
  // that each byte of the text is written once: sizing the string first
  // would fill it with zeros, a second pass over fresh memory as large as
  // the file. The string is sized once from the file's length (one byte
  // beyond, for the read that finds the end) and grows only for a stream.
  const uint64_t room = limit < UINT64_MAX ? limit + 1 : limit;
  const uint64_t expected = RegularFileSize(file);
  text.clear();
  text.reserve(static_cast<size_t>(expected > 0 && expected < limit ? expected + 1
                                                                    : std::min<uint64_t>(kFirstChunk, room)));
  AdviseLargePages(text.data(), text.capacity());
  const auto chunk = std::make_unique_for_overwrite<char[]>(kReadChunk);
  for (;;) {
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(kReadChunk, room - text.size()));
    const size_t got = std::fread(chunk.get(), 1, wanted, file);
    if (text.size() + got > text.capacity()) {
      // A stream outgrew its room: twice as much, from now on on large pages.
      const size_t old_size = text.size();
      text.reserve(2 * text.capacity());
      AdviseLargePages(text.data() + old_size, text.capacity() - old_size);
    }
    text.append(chunk.get(), got);
    if (text.size() > limit) {
      text.clear();
      errno = EFBIG;
      return false;
    }
    if (got < wanted) break;  // the end, or an error
  }
  return !std::ferror(file);
}

bool ReadInput(const std::filesystem::path& path, const InputKind& kind, std::string& text,
               std::string& reason) {
  const InputFile file = OpenRegularInput(path, kind, reason);
  return file && ReadAll(file.get(), kind, text, reason);
}

bool ReadStandardInput(const InputKind& kind, std::string& text, std::string& reason) {
  return ReadAll(stdin, kind, text, reason);
}

bool ReadInput(const std::filesystem::path& path, const InputKind& kind, InputText& text,
               std::string& reason) {
  const InputFile file = OpenRegularInput(path, kind, reason);
  if (!file) return false;
  const uint64_t size = RegularFileSize(file.get());  // within kind.max_bytes, as opened
  if (size > 0) {
    // One byte more than the file holds, to find its end in the same read.
    text.whole_ = std::make_unique_for_overwrite<char[]>(static_cast<size_t>(size) + 1);
    AdviseLargePages(text.whole_.get(), static_cast<size_t>(size) + 1);
    const FaultAhead ready(text.whole_.get(), static_cast<size_t>(size) + 1);
    text.whole_size_ = std::fread(text.whole_.get(), 1, static_cast<size_t>(size) + 1, file.get());
    if (std::ferror(file.get())) {
      reason = std::string("cannot read: ") + std::strerror(errno);
      return false;
    }
    if (text.whole_size_ <= size) return true;
    text.whole_.reset();  // it grew while it was read: read again, as a stream
    std::rewind(file.get());
  }
  return ReadAll(file.get(), kind, text.read_, reason);
}

bool ReadStandardInput(const InputKind& kind, InputText& text, std::string& reason) {
  return ReadAll(stdin, kind, text.read_, reason);
}

}  // namespace standin
