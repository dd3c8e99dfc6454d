// The POSIX side of replacing output files; a Windows build gives the same
// interface with MoveFileEx in place of rename.
#include "io/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace standin {
namespace {

[[noreturn]] void Fail(std::string_view path, std::string_view what, int error) {
  throw FileWriteError(std::string(path) + ": " + std::string(what) + ": " + std::strerror(error));
}

// A temporary file that is removed again unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string name) : name_(std::move(name)), fd_(mkstemp(name_.data())) {}
  ~TemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (!renamed_) unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_; }
  const std::string& name() const { return name_; }
  // Closes the file, reporting what closing reports.
  int Close() {
    const int result = close(fd_);
    fd_ = -1;
    return result;
  }
  void MarkRenamed() { renamed_ = true; }

 private:
  std::string name_;
  int fd_;
  bool renamed_ = false;
};

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = EIO;
      return false;
    }
    contents.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// The permissions the new file gets: those of the file it replaces, or what
// a newly created file gets.
mode_t NewFileMode(const std::filesystem::path& target) {
  struct stat info {};
  if (stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void ReplaceFile(std::string_view path, std::string_view contents) {
  namespace fs = std::filesystem;
  fs::path target(path);
  std::error_code error;
  if (fs::is_symlink(target, error)) {
    fs::path resolved = fs::canonical(target, error);
    if (!error) target = std::move(resolved);
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  TemporaryFile temporary((folder / ("." + target.filename().string() + ".XXXXXX")).string());
  if (temporary.fd() < 0) Fail(path, "cannot create a temporary file beside it", errno);
  if (fchmod(temporary.fd(), NewFileMode(target)) != 0) Fail(path, "cannot set permissions", errno);
  if (!WriteAll(temporary.fd(), contents)) Fail(path, "cannot write", errno);
  if (fsync(temporary.fd()) != 0) Fail(path, "cannot write", errno);
  if (temporary.Close() != 0) Fail(path, "cannot write", errno);
  if (std::rename(temporary.name().c_str(), target.c_str()) != 0) Fail(path, "cannot replace", errno);
  temporary.MarkRenamed();
}

void WriteOutput(std::string_view path, std::string_view contents) {
  if (path != "-") return ReplaceFile(path, contents);
  if (std::fwrite(contents.data(), 1, contents.size(), stdout) != contents.size() ||
      std::fflush(stdout) != 0) {
    Fail("<stdout>", "cannot write", errno);
  }
}

}  // namespace standin
