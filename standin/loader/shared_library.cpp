#include "loader/shared_library.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <system_error>

#include "loader/library_extent.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <dlfcn.h>
#ifdef __APPLE__
#include <mach-o/dyld.h>

#include <vector>
#endif
#endif

namespace standin {

namespace fs = std::filesystem;

namespace {

// What a file's first bytes say it is. A library that the system refuses is
// looked at this way, so that a plug-in built for another system or
// processor is named as such rather than by the system's terse reason.
enum class Format { kNone, kElf, kPe, kMachO, kMachOUniversal };

struct FileKind {
  Format format = Format::kNone;
  std::string arch;      // "x86-64", "arm64", "x86", "arm"; empty when unknown
  uint32_t machine = 0;  // the header's processor number
};

#if defined(_WIN32)
constexpr Format kOwnFormat = Format::kPe;
#elif defined(__APPLE__)
constexpr Format kOwnFormat = Format::kMachO;
#else
constexpr Format kOwnFormat = Format::kElf;
#endif

#if defined(__x86_64__) || defined(_M_X64)
constexpr const char* kOwnArch = "x86-64";
#elif defined(__aarch64__) || defined(_M_ARM64)
constexpr const char* kOwnArch = "arm64";
#elif defined(__i386__) || defined(_M_IX86)
constexpr const char* kOwnArch = "x86";
#elif defined(__arm__) || defined(_M_ARM)
constexpr const char* kOwnArch = "arm";
#else
constexpr const char* kOwnArch = "";
#endif

uint32_t Little(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

uint32_t Big(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

// Processor numbers of each format's header, and their names.
struct Arch {
  uint32_t number;
  const char* name;
};
constexpr Arch kElfArchs[] = {{3, "x86"}, {40, "arm"}, {62, "x86-64"}, {183, "arm64"}};
constexpr Arch kPeArchs[] = {{0x14c, "x86"}, {0x1c4, "arm"}, {0x8664, "x86-64"}, {0xaa64, "arm64"}};
constexpr Arch kMachOArchs[] = {{7, "x86"}, {12, "arm"}, {0x01000007, "x86-64"}, {0x0100000c, "arm64"}};

template <std::size_t N>
std::string ArchName(const Arch (&archs)[N], uint32_t number) {
  for (const Arch& arch : archs) {
    if (arch.number == number) return arch.name;
  }
  return "";
}

// The kind of the file at `path`, or nothing when it cannot be read.
std::optional<FileKind> ReadKind(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  unsigned char head[64] = {};
  in.read(reinterpret_cast<char*>(head), sizeof head);
  const std::streamsize size = in.gcount();
  FileKind kind;
  if (size >= 20 && head[0] == 0x7f && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') {
    kind.format = Format::kElf;
    kind.machine = head[5] == 2 ? Big(head + 18, 2) : Little(head + 18, 2);
    kind.arch = ArchName(kElfArchs, kind.machine);
  } else if (size >= 64 && head[0] == 'M' && head[1] == 'Z') {
    // A DOS stub whose field at 0x3c leads to the PE header: "PE\0\0", then
    // the processor.
    unsigned char pe[6] = {};
    in.clear();
    in.seekg(static_cast<std::streamoff>(Little(head + 0x3c, 4)));
    if (in.read(reinterpret_cast<char*>(pe), sizeof pe) && pe[0] == 'P' && pe[1] == 'E' && pe[2] == 0 &&
        pe[3] == 0) {
      kind.format = Format::kPe;
      kind.machine = Little(pe + 4, 2);
      kind.arch = ArchName(kPeArchs, kind.machine);
    }
  } else if (size >= 8 && (Little(head, 4) == 0xfeedface || Little(head, 4) == 0xfeedfacf)) {
    kind.format = Format::kMachO;
    kind.machine = Little(head + 4, 4);
    kind.arch = ArchName(kMachOArchs, kind.machine);
  } else if (size >= 8 && Big(head, 4) == 0xcafebabe) {
    kind.format = Format::kMachOUniversal;
  }
  return kind;
}

std::string SystemName(Format format) {
  switch (format) {
    case Format::kElf:
      return "Linux";
    case Format::kPe:
      return "Windows";
    default:
      return "macOS";
  }
}

// "Windows x64", "Linux x86-64": a system and processor as their users name
// them.
std::string Platform(Format format, const std::string& arch) {
  if (arch.empty()) return SystemName(format);
  return SystemName(format) + " " + (format == Format::kPe && arch == "x86-64" ? "x64" : arch);
}

std::string OwnPlatform() { return Platform(kOwnFormat, kOwnArch); }

// Why the file at `path` cannot be a library of this system, or nothing when
// it looks like one (then the system's reason is the better one).
std::optional<std::string> WrongKind(const fs::path& path) {
  const std::optional<FileKind> kind = ReadKind(path);
  if (!kind) return std::nullopt;
  if (kind->format == Format::kNone) return "not a library (the file has no library header)";
  // A universal library may hold this processor's code; the system knows.
  if (kind->format == Format::kMachOUniversal) return std::nullopt;
  if (kind->format == kOwnFormat && kind->arch == kOwnArch) return std::nullopt;
  std::string what = "a " + Platform(kind->format, kind->arch) + " library";
  if (kind->arch.empty()) what += " (processor " + std::to_string(kind->machine) + ")";
  return what + ", not a " + OwnPlatform() +
         " one (wrong format or architecture); use the plug-in built for " + OwnPlatform();
}

// One line: the text up to its first line break.
std::string FirstLine(std::string text) {
  const std::size_t end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.erase(end);
  return text;
}

// The system's side: open, look up, close. On failure `error` holds the
// system's reason, without the path.
void* OpenNative(const fs::path& path, std::string& error);
void CloseNative(void* handle);
void* NativeSymbol(void* handle, const char* name);

#ifdef _WIN32

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                        nullptr);
  }
  return utf8;
}

std::string LoadError(DWORD code) {
  const std::string number = " (error " + std::to_string(code) + ")";
  switch (code) {
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_BAD_FORMAT:
      return "not a " + OwnPlatform() + " library (wrong format or architecture, error " +
             std::to_string(code) + ")";
    case ERROR_MOD_NOT_FOUND:
      return "a library it needs is missing" + number + "; put it beside the plug-in's library or on PATH";
    case ERROR_PROC_NOT_FOUND:
      return "a library it needs lacks a function it calls" + number + "; the two do not belong together";
    case ERROR_DLL_INIT_FAILED:
      return "its start-up code failed" + number;
    default:
      break;
  }
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length > 0 ? FirstLine(Utf8(std::wstring(buffer, length))) : std::string();
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) text.pop_back();
  return (text.empty() ? "the system cannot load it" : text) + number;
}

void* OpenNative(const fs::path& path, std::string& error) {
  // A full path, since a relative one would be searched for along the
  // system's library path; and the libraries it needs are looked for in its
  // own folder first, where a plug-in keeps those it brings.
  std::error_code ignored;
  const fs::path full = fs::absolute(path, ignored);
  // No system message box about a bad or missing library: this host has no
  // one to press it.
  DWORD previous_mode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_mode);
  HMODULE module = LoadLibraryExW(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  const DWORD code = GetLastError();
  SetThreadErrorMode(previous_mode, nullptr);
  if (module == nullptr) error = LoadError(code);
  return reinterpret_cast<void*>(module);
}

void CloseNative(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }

void* NativeSymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

#else

void* OpenNative(const fs::path& path, std::string& error) {
  // Local binding keeps one plug-in's symbols from resolving another's.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle != nullptr) return handle;
  const char* reason = dlerror();
  error = FirstLine(reason != nullptr ? reason : "the system cannot load it");
  // The system's reason names the file again; the caller names it already.
  const std::string named = path.string() + ": ";
  if (error.starts_with(named)) {
    error.erase(0, named.size());
  } else if (const std::size_t missing = error.find(": cannot open shared object file");
             missing != std::string::npos) {
    // Another file is named: a library this one needs.
    error = "needs " + error.substr(0, missing) +
            ", which the system cannot find; install it or add its folder to LD_LIBRARY_PATH";
  }
  return nullptr;
}

void CloseNative(void* handle) { dlclose(handle); }

void* NativeSymbol(void* handle, const char* name) { return dlsym(handle, name); }

#endif

}  // namespace

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const fs::path& path, std::string& error) {
  if (std::optional<std::string> cut = CutShort(path)) {
    error = std::move(*cut);
    return nullptr;
  }
  void* handle = OpenNative(path, error);
  if (handle != nullptr) return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
  if (std::optional<std::string> reason = WrongKind(path)) error = std::move(*reason);
  return nullptr;
}

SharedLibrary::~SharedLibrary() { CloseNative(handle_); }

void* SharedLibrary::Symbol(const char* name) const { return NativeSymbol(handle_, name); }

const char* SharedLibrary::PluginSuffix() {
#if defined(_WIN32)
  return ".xdl64";
#elif defined(__APPLE__)
  return ".xlib";
#else
  return ".so";
#endif
}

fs::path SharedLibrary::ProgramFile() {
#if defined(_WIN32)
  // The name is cut to the buffer's size without saying how long it is, so
  // the buffer grows until it holds the whole name (at most 32767 wide
  // characters on any Windows).
  std::vector<wchar_t> buffer(MAX_PATH);
  while (buffer.size() <= 65536) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return fs::path(std::wstring(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
  return {};
#elif defined(__APPLE__)
  // The path the program was started by, which may hold links and "..";
  // the folders beside it are found through the real one.
  uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::vector<char> buffer(size + 1, '\0');
  if (_NSGetExecutablePath(buffer.data(), &size) != 0) return {};
  std::error_code error;
  fs::path file = fs::canonical(fs::path(buffer.data()), error);
  return error ? fs::path() : file;
#else
  std::error_code error;
  fs::path file = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : file;
#endif
}

}  // namespace standin
