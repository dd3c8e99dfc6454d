// Replacing output files and opening input files by their UTF-8 names: the
// one place that knows how each system does it (rename over the target on
// POSIX systems, ReplaceFileW/MoveFileExW and wide names on Windows).
#include "io/output_file.h"

#ifdef _WIN32
#include <windows.h>
// windows.h names its own ReplaceFile; this file defines standin's.
#undef ReplaceFile
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace standin {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(std::string_view path, std::string_view what, const std::string& reason) {
  throw FileWriteError(std::string(path) + ": " + std::string(what) + ": " + reason);
}

fs::path Native(std::string_view utf8) {
  return fs::path(std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// The file that `path` names: a symbolic link is followed to its target.
fs::path ResolvedTarget(std::string_view path) {
  fs::path target = Native(path);
  std::error_code error;
  if (fs::is_symlink(target, error)) {
    fs::path resolved = fs::canonical(target, error);
    if (!error) target = std::move(resolved);
  }
  return target;
}

fs::path FolderOf(const fs::path& target) { return target.has_parent_path() ? target.parent_path() : fs::path("."); }

// When the temporary file could not be made because the folder the user
// named is missing, says so and what to do; otherwise returns.
void FailIfFolderMissing(std::string_view path) {
  const fs::path folder = FolderOf(Native(path));
  std::error_code error;
  if (fs::is_directory(folder, error)) return;
  const std::u8string name = folder.u8string();
  throw FileWriteError(std::string(path) + ": the folder " + std::string(name.begin(), name.end()) +
                       " does not exist; create it or write elsewhere");
}

#ifdef _WIN32

std::string SystemReason(DWORD error) { return std::system_category().message(static_cast<int>(error)); }

// A new file beside the target, removed again unless it was moved into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
      name_ = FolderOf(target) /
              (L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
               std::to_wstring(counter++));
      handle_ = CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (handle_ == INVALID_HANDLE_VALUE) error_ = GetLastError();
  }
  ~TemporaryFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!moved_ && error_ == 0) DeleteFileW(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool open() const { return handle_ != INVALID_HANDLE_VALUE; }
  DWORD error() const { return error_; }
  const fs::path& name() const { return name_; }

  bool Write(std::string_view contents) {
    while (!contents.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(handle_, contents.data(), chunk, &written, nullptr) || written == 0) return false;
      contents.remove_prefix(written);
    }
    return FlushFileBuffers(handle_) != 0;
  }
  bool Close() {
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }
  void MarkMoved() { moved_ = true; }

 private:
  fs::path name_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  DWORD error_ = 0;
  bool moved_ = false;
};

}  // namespace

void ReplaceFile(std::string_view path, std::string_view contents) {
  // ReplaceFileW wants full paths: it fails on a bare file name.
  std::error_code error;
  const fs::path target = fs::absolute(ResolvedTarget(path), error);
  if (error) Fail(path, "cannot find its folder", error.message());
  TemporaryFile temporary(target);
  if (!temporary.open()) {
    if (temporary.error() == ERROR_PATH_NOT_FOUND) FailIfFolderMissing(path);
    Fail(path, "cannot create a temporary file beside it", SystemReason(temporary.error()));
  }
  if (!temporary.Write(contents)) Fail(path, "cannot write", SystemReason(GetLastError()));
  if (!temporary.Close()) Fail(path, "cannot write", SystemReason(GetLastError()));
  // ReplaceFileW keeps the replaced file's attributes and access rights, as
  // the POSIX side keeps its permissions; a new target is simply moved in.
  const bool exists = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  const bool replaced =
      exists ? ::ReplaceFileW(target.c_str(), temporary.name().c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                              nullptr, nullptr) != 0
             : MoveFileExW(temporary.name().c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  if (!replaced) Fail(path, "cannot replace", SystemReason(GetLastError()));
  temporary.MarkMoved();
}

InputFile OpenInputFile(std::string_view path) { return InputFile(_wfopen(Native(path).c_str(), L"rb"), &std::fclose); }

#else

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
mode_t NewFileMode(const fs::path& target) {
  struct stat info {};
  if (stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void ReplaceFile(std::string_view path, std::string_view contents) {
  const fs::path target = ResolvedTarget(path);
  TemporaryFile temporary((FolderOf(target) / ("." + target.filename().string() + ".XXXXXX")).string());
  if (temporary.fd() < 0) {
    const int reason = errno;
    if (reason == ENOENT) FailIfFolderMissing(path);
    Fail(path, "cannot create a temporary file beside it", std::strerror(reason));
  }
  if (fchmod(temporary.fd(), NewFileMode(target)) != 0) Fail(path, "cannot set permissions", std::strerror(errno));
  if (!WriteAll(temporary.fd(), contents)) Fail(path, "cannot write", std::strerror(errno));
  if (fsync(temporary.fd()) != 0) Fail(path, "cannot write", std::strerror(errno));
  if (temporary.Close() != 0) Fail(path, "cannot write", std::strerror(errno));
  if (std::rename(temporary.name().c_str(), target.c_str()) != 0) Fail(path, "cannot replace", std::strerror(errno));
  temporary.MarkRenamed();
}

InputFile OpenInputFile(std::string_view path) {
  return InputFile(std::fopen(std::string(path).c_str(), "rb"), &std::fclose);
}

#endif

void WriteOutput(std::string_view path, std::string_view contents) {
  if (path != "-") return ReplaceFile(path, contents);
  if (std::fwrite(contents.data(), 1, contents.size(), stdout) != contents.size() ||
      std::fflush(stdout) != 0) {
    Fail("<stdout>", "cannot write", std::strerror(errno));
  }
}

}  // namespace standin
