// Staging outputs on Windows: a temporary file beside the target put in
// place with ReplaceFileW (which keeps the replaced file's attributes and
// access rights) or MoveFileExW, or a device written directly; names are
// wide.
#include <windows.h>
// windows.h names its own ReplaceFile; output_file.h declares standin's.
#undef ReplaceFile

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <string>
#include <system_error>

#include "io/output_file.h"
#include "io/staged_output.h"
#include "io/temporary_names.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(std::string_view path, std::string_view what, DWORD error) {
  FailOutput(path, what, std::system_category().message(static_cast<int>(error)));
}

bool WriteAll(HANDLE handle, std::string_view contents) {
  while (!contents.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle, contents.data(), chunk, &written, nullptr) || written == 0) return false;
    contents.remove_prefix(written);
  }
  return true;
}

// A complete new file written beside the target, moved over it when put in
// place; removed again otherwise, also by Ctrl-C (it may be deleted while
// open for that).
class ReplacingFile : public StagingFile {
 public:
  ReplacingFile(std::string_view path, fs::path target) : path_(path), target_(std::move(target)) {
    static std::atomic<unsigned> counter{0};
    InterruptionsHeld held;
    for (int attempt = 0; attempt < 100 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
      // Room for ".PID.COUNT" (two 32-bit numbers) and the "~" of the kept
      // old file.
      name_ = HiddenNameBeside(target_, 23).native() + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
              std::to_wstring(counter++);
      handle_ = CreateFileW(name_.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (handle_ == INVALID_HANDLE_VALUE) {
      made_error_ = GetLastError();
    } else {
      slot_ = RememberTemporary(name_);
    }
  }
  ~ReplacingFile() override {
    const bool made = made_error_ == 0;
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!made || moved_) return;
    InterruptionsHeld held;
    DeleteFileW(name_.c_str());
    ForgetTemporary(slot_);
  }

  // Throws when the file could not be made.
  void Open() const {
    if (made_error_ != 0) Fail(path_, "cannot create a temporary file beside it", made_error_);
    if (slot_ < 0)
      FailOutput(path_, "cannot create a temporary file beside it", "no memory is left to keep track of it");
  }

  void Append(std::string_view piece) override {
    if (!WriteAll(handle_, piece)) Fail(path_, "cannot write", GetLastError());
  }

  void Finish() override {
    if (!FlushFileBuffers(handle_)) Fail(path_, "cannot write", GetLastError());
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    if (!closed) Fail(path_, "cannot write", GetLastError());
  }

  bool direct() const override { return false; }

  // ReplaceFileW keeps the old file under a second name until the whole
  // batch is in place, so that GiveBack can move it back.
  void PutInPlace() override {
    existed_ = GetFileAttributesW(target_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (existed_) kept_ = name_.native() + L"~";
    const bool replaced = existed_ ? ::ReplaceFileW(target_.c_str(), name_.c_str(), kept_.c_str(),
                                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                                   : MoveFileExW(name_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced) {
      const DWORD reason = GetLastError();
      kept_.clear();
      Fail(path_, "cannot replace", reason);
    }
    moved_ = true;
    ForgetTemporary(slot_);
  }

  bool GiveBack() noexcept override {
    if (!existed_) return DeleteFileW(target_.c_str()) != 0;
    const bool back =
        MoveFileExW(kept_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (back) kept_.clear();
    return back;
  }

  void Settle() noexcept override {
    if (!kept_.empty()) DeleteFileW(kept_.c_str());
    kept_.clear();
  }

 private:
  std::string path_;
  fs::path target_;
  fs::path name_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  DWORD made_error_ = 0;
  int slot_ = -1;
  bool moved_ = false;
  bool existed_ = false;  // a file was there to be replaced
  std::wstring kept_;     // the replaced file's second name, while kept
};

// A device (NUL, CON, \\.\ names), opened and written when put in place;
// opening a pipe earlier would take one of its instances.
class DirectWrite : public StagedOutput {
 public:
  DirectWrite(std::string_view path, fs::path name, HeldText contents)
      : path_(path), name_(std::move(name)), contents_(std::move(contents)) {}

  bool direct() const override { return true; }

  void PutInPlace() override {
    const HANDLE handle = CreateFileW(name_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) Fail(path_, "cannot write", GetLastError());
    const bool written =
        contents_.WriteEach([handle](std::string_view piece) { return WriteAll(handle, piece); });
    const DWORD reason = GetLastError();
    CloseHandle(handle);
    if (!written) Fail(path_, "cannot write", reason);
  }

 private:
  std::string path_;
  fs::path name_;
  HeldText contents_;
};

}  // namespace

bool SameFileOnDisk(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

// NUL names the null device in every folder, also with an extension.
bool IsNullDevice(const fs::path& name) {
  std::wstring stem = name.stem().native();
  std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return std::towupper(c); });
  return stem == L"NUL";
}

void CheckReplaceable(std::string_view path, const fs::path& name) {
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    Fail(path, "cannot replace a read-only file", ERROR_ACCESS_DENIED);
  }
}

std::unique_ptr<StagingFile> StartStaging(std::string_view path, const OutputTarget& target) {
  if (target.route == OutputRoute::kDirect) return nullptr;
  // ReplaceFileW wants full paths: it fails on a bare file name.
  std::error_code error;
  fs::path full = fs::absolute(target.name, error);
  if (error) FailOutput(path, "cannot find its folder", error.message());
  auto file = std::make_unique<ReplacingFile>(path, std::move(full));
  file->Open();
  return file;
}

std::unique_ptr<StagedOutput> StageOutput(std::string_view path, const OutputTarget& target,
                                          OutputText text) {
  if (target.route == OutputRoute::kDirect) {
    return std::make_unique<DirectWrite>(path, target.name, std::move(text).TakeHeld());
  }
  std::unique_ptr<StagingFile> file = StartStaging(path, target);
  text.WriteTo([&file](std::string_view piece) { file->Append(piece); });
  file->Finish();
  return file;
}

}  // namespace standin
