// Staging outputs on POSIX systems: a temporary file made with mkstemp
// beside the target and renamed over it, or the target opened and written.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "io/data_settler.h"
#include "io/output_file.h"
#include "io/staged_output.h"
#include "io/temporary_names.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

constexpr char kUnique[] = ".XXXXXX";
constexpr size_t kWritebackStep = size_t{1} << 20;
// How much text is flushed at a time beside the writing.
constexpr size_t kSettleStep = size_t{16} << 20;

[[noreturn]] void Fail(std::string_view path, std::string_view what, int reason) {
  FailOutput(path, what, std::strerror(reason));
}

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

// A complete new file written beside the target, renamed over it when put
// in place; removed again otherwise, also by an interruption.
class ReplacingFile : public StagingFile {
 public:
  ReplacingFile(std::string_view path, fs::path target) : path_(path), target_(std::move(target)) {
    // ".XXXXXX" for mkstemp and the "~" of the kept old file.
    name_ = HiddenNameBeside(target_, sizeof kUnique - 1 + 1).string() + kUnique;
    InterruptionsHeld held;
    fd_ = mkstemp(name_.data());
    made_ = fd_ >= 0;
    if (made_) {
      settler_.emplace(fd_);
      slot_ = RememberTemporary(name_);
    } else {
      made_error_ = errno;
    }
  }
  ~ReplacingFile() override {
    settler_.reset();  // its flush uses fd_
    if (fd_ >= 0) close(fd_);
    if (!made_ || renamed_) return;
    InterruptionsHeld held;
    unlink(name_.c_str());
    ForgetTemporary(slot_);
  }

  // Throws when the file could not be made or take the old one's mode.
  void Open() {
    if (!made_) Fail(path_, "cannot create a temporary file beside it", made_error_);
    if (slot_ < 0)
      FailOutput(path_, "cannot create a temporary file beside it", "no memory is left to keep track of it");
    KeepModeAndOwner();
  }

  void Append(std::string_view piece) override {
    if (!WriteAll(fd_, piece)) Fail(path_, "cannot write", errno);
    appended_ += piece.size();
  }

  void StartWritingToDisk() noexcept override {
    // A megabyte at a time at least: a call per small piece would cost
    // more than it saves.
    if (appended_ - started_ < kWritebackStep) return;
#ifdef SYNC_FILE_RANGE_WRITE
    sync_file_range(fd_, static_cast<off_t>(started_), static_cast<off_t>(appended_ - started_),
                    SYNC_FILE_RANGE_WRITE);
#endif
    started_ = appended_;
    if (appended_ - settle_asked_ >= kSettleStep) {
      settler_->Ask();
      settle_asked_ = appended_;
    }
  }

  void SettleOnDisk() noexcept override {
    settler_->Ask();
    settle_asked_ = appended_;
  }

  void Finish() override {
    // An early flush that failed must fail the file: its error is not
    // reported again to the flush below.
    if (const int early = settler_->Stop(); early != 0) Fail(path_, "cannot write", early);
    if (fsync(fd_) != 0) Fail(path_, "cannot write", errno);
    const int closed = close(fd_);
    fd_ = -1;
    if (closed != 0) Fail(path_, "cannot write", errno);
  }

  bool direct() const override { return false; }

  // The old file stays, hard-linked beside the new one, until the whole
  // batch is in place, so that GiveBack can put it back by one rename; on a
  // file system without hard links it cannot.
  void PutInPlace() override {
    struct stat info {};
    existed_ = lstat(target_.c_str(), &info) == 0;
    if (existed_) {
      kept_ = name_ + "~";
      if (link(target_.c_str(), kept_.c_str()) != 0) {
        if (errno == EEXIST || errno == EACCES || errno == ENOSPC || errno == EDQUOT) {
          Fail(path_, "cannot keep the old file until every output is in place", errno);
        }
        kept_.clear();
      }
    }
    if (std::rename(name_.c_str(), target_.c_str()) != 0) {
      const int reason = errno;
      if (!kept_.empty()) unlink(kept_.c_str());
      Fail(path_, "cannot replace", reason);
    }
    renamed_ = true;
    ForgetTemporary(slot_);
  }

  bool GiveBack() noexcept override {
    if (!existed_) return unlink(target_.c_str()) == 0;
    if (kept_.empty()) return false;
    const bool back = std::rename(kept_.c_str(), target_.c_str()) == 0;
    if (back) kept_.clear();
    return back;
  }

  void Settle() noexcept override {
    if (!kept_.empty()) unlink(kept_.c_str());
    kept_.clear();
  }

 private:
  // The replaced file's permissions, and its owner where the system allows
  // (a run as root leaves a user's file the user's); a new file gets what a
  // newly created file gets.
  void KeepModeAndOwner() {
    struct stat info {};
    mode_t mode = 0;
    if (stat(target_.c_str(), &info) == 0) {
      mode = info.st_mode & 07777;
      if ((info.st_uid != geteuid() || info.st_gid != getegid()) &&
          fchown(fd_, info.st_uid, info.st_gid) != 0 && errno != EPERM) {
        Fail(path_, "cannot keep its owner", errno);
      }
    } else {
      const mode_t mask = umask(0);
      umask(mask);
      mode = 0666 & ~mask;
    }
    if (fchmod(fd_, mode) != 0) Fail(path_, "cannot set permissions", errno);
  }

  std::string path_;
  fs::path target_;
  std::string name_;
  int fd_ = -1;
  bool made_ = false;
  int made_error_ = 0;
  int slot_ = -1;
  bool renamed_ = false;
  bool existed_ = false;  // a file was there to be replaced
  std::string kept_;      // the replaced file's second name, while kept
  size_t appended_ = 0;
  size_t started_ = 0;                  // the text before this is on its way to disk
  size_t settle_asked_ = 0;             // the text before this is asked to be flushed
  std::optional<DataSettler> settler_;  // once the file is made
};

// A stream socket listening at `name`, connected; -1 with errno set when
// there is none.
int ConnectSocket(const fs::path& name) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.native().size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  std::memcpy(address.sun_path, name.c_str(), name.native().size());
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
  const int reason = errno;
  close(fd);
  errno = reason;
  return -1;
}

// A device, FIFO or socket, written when put in place: opening a FIFO waits
// for its reader, so it is opened only then.
class DirectWrite : public StagedOutput {
 public:
  DirectWrite(std::string_view path, fs::path name, HeldText contents)
      : path_(path), name_(std::move(name)), contents_(std::move(contents)) {
    if (access(name_.c_str(), W_OK) != 0) Fail(path_, "cannot write", errno);
  }

  bool direct() const override { return true; }

  void PutInPlace() override {
    int fd = open(name_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 && errno == ENXIO && stat(name_.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) {
      fd = ConnectSocket(name_);
    }
    if (fd < 0) Fail(path_, "cannot write", errno);
    // A regular file reached through a link only the system follows is
    // written over from its start.
    const bool written = fstat(fd, &info) == 0 && (!S_ISREG(info.st_mode) || ftruncate(fd, 0) == 0) &&
                         contents_.WriteEach([fd](std::string_view piece) { return WriteAll(fd, piece); });
    const int reason = errno;
    if (close(fd) != 0 && written) Fail(path_, "cannot write", errno);
    if (!written) Fail(path_, "cannot write", reason);
  }

 private:
  std::string path_;
  fs::path name_;
  HeldText contents_;
};

// The standard stream (1 or 2) that `name` is, or 0: such a target
// (/dev/stdout, a link to /proc/self/fd/1) is written through the program's
// own stream, after what it wrote there before and whatever it is.
int StandardStreamAt(const fs::path& name) {
  struct stat target {};
  if (stat(name.c_str(), &target) != 0) return 0;
  for (const int fd : {1, 2}) {
    struct stat stream {};
    if (fstat(fd, &stream) == 0 && stream.st_dev == target.st_dev && stream.st_ino == target.st_ino)
      return fd;
  }
  return 0;
}

}  // namespace

bool SameFileOnDisk(const fs::path& a, const fs::path& b) {
  struct stat first {};
  struct stat second {};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

bool IsNullDevice(const fs::path& name) { return SameFileOnDisk(name, "/dev/null"); }

void CheckReplaceable(std::string_view path, const fs::path& name) {
  if (access(name.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    Fail(path, "cannot replace a read-only file", errno);
  }
  // Root may write anything; a file nobody may write is still read-only
  // by intent, and a pipeline run as root must not wipe it either.
  struct stat info {};
  if (geteuid() == 0 && stat(name.c_str(), &info) == 0 && (info.st_mode & 0222) == 0) {
    Fail(path, "cannot replace a read-only file", EACCES);
  }
}

std::unique_ptr<StagingFile> StartStaging(std::string_view path, const OutputTarget& target) {
  if (target.route == OutputRoute::kDirect || StandardStreamAt(NativeOutputPath(path)) != 0) return nullptr;
  auto file = std::make_unique<ReplacingFile>(path, target.name);
  file->Open();
  return file;
}

std::unique_ptr<StagedOutput> StageOutput(std::string_view path, const OutputTarget& target,
                                          OutputText text) {
  if (const int stream = StandardStreamAt(NativeOutputPath(path))) {
    return StageStream(stream == 1 ? stdout : stderr, path, std::move(text).TakeHeld());
  }
  if (target.route == OutputRoute::kDirect) {
    return std::make_unique<DirectWrite>(path, target.name, std::move(text).TakeHeld());
  }
  auto file = std::make_unique<ReplacingFile>(path, target.name);
  file->Open();
  // The disk takes the text while the rest is made: the flush in Finish
  // then waits for less (about 20 ms of 80 for a scene of 84 MB).
  text.WriteTo([&file](std::string_view piece) {
    file->Append(piece);
    file->StartWritingToDisk();
  });
  file->Finish();
  return file;
}

}  // namespace standin
