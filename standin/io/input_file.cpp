#include "io/input_file.h"

#include <sys/stat.h>

#include "scene/large_pages.h"

#ifdef _WIN32
#include "io/output_target.h"
#endif

namespace standin {
namespace {

// How many bytes a regular file holds in all; 0 for anything else (a pipe,
// a terminal, a device), whose length is not known beforehand.
size_t RegularFileSize(std::FILE* file) {
#ifdef _WIN32
  struct _stat64 status {};
  if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) return 0;
#else
  struct stat status {};
  if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
#endif
  return status.st_size > 0 ? static_cast<size_t>(status.st_size) : 0;
}

constexpr size_t kFirstChunk = size_t{1} << 16;

}  // namespace

InputFile OpenInputFile(std::string_view path) {
#ifdef _WIN32
  return InputFile(_wfopen(NativeOutputPath(path).c_str(), L"rb"), &std::fclose);
#else
  return InputFile(std::fopen(std::string(path).c_str(), "rb"), &std::fclose);
#endif
}

bool ReadRestOfFile(std::FILE* file, std::string& text) {
  // One byte beyond the known length leaves room for the read that finds
  // the end, so that a file that keeps its length is never moved.
  const auto grow_to = [&text](size_t size) {
    text.reserve(size);
    AdviseLargePages(text.data() + text.size(), text.capacity() - text.size());
    text.resize(text.capacity());
  };
  const size_t expected = RegularFileSize(file);
  text.clear();
  grow_to(expected > 0 ? expected + 1 : kFirstChunk);
  size_t filled = 0;
  for (;;) {
    if (filled == text.size()) grow_to(2 * text.size());
    const size_t wanted = text.size() - filled;
    const size_t got = std::fread(text.data() + filled, 1, wanted, file);
    filled += got;
    if (got < wanted) break;  // the end, or an error
  }
  text.resize(filled);
  return !std::ferror(file);
}

}  // namespace standin
