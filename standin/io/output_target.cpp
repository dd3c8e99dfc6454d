#include "io/output_target.h"

#include <algorithm>
#include <cwctype>
#include <string>
#include <system_error>
#include <type_traits>

#include "io/output_file.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

// As many links in a row as Linux follows; more is taken for a loop.
constexpr int kMostLinks = 40;
constexpr std::string_view kLinkLoop = "too many symbolic links in a row (a loop?); point the link at a file";

std::string Utf8(const fs::path& name) {
  const std::u8string text = name.u8string();
  return std::string(text.begin(), text.end());
}

[[noreturn]] void Refuse(std::string_view path, std::string_view why) {
  throw FileWriteError(std::string(path) + ": " + std::string(why));
}

// Follows symbolic links from `name` by their text, as far as they go, to
// the name that is finally written; a dangling link gives the name it points
// at.
fs::path FinalName(const fs::path& name, std::string_view path) {
  fs::path at = name;
  for (int hop = 0; hop < kMostLinks; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(at, error))) return at;
    const fs::path next = fs::read_symlink(at, error);
    if (error) FailOutput(path, "cannot read the link", error.message());
    // A relative link is relative to the folder that holds it; the two are
    // joined without folding "..", which only the system resolves rightly.
    at = next.is_absolute() ? next : FolderOf(at) / next;
  }
  Refuse(path, kLinkLoop);
}

// A new file is made in an existing folder only.
void CheckFolder(const fs::path& name, std::string_view path) {
  if (!name.has_filename()) Refuse(path, "names a folder, not a file; add the file's name");
  const fs::path folder = FolderOf(name);
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (fs::is_directory(status)) return;
  if (fs::exists(status)) Refuse(path, Utf8(folder) + " is not a folder; write elsewhere");
  Refuse(path, "the folder " + Utf8(folder) + " does not exist; create it or write elsewhere");
}

#ifdef _WIN32
// NUL, CON, COM1 and the like name devices in every folder, also with an
// extension; \\.\ names a device or a pipe. They are written directly.
bool IsWindowsDevice(const fs::path& name) {
  const std::wstring& text = name.native();
  if (text.starts_with(L"\\\\.\\") || text.starts_with(L"//./")) return true;
  std::wstring stem = name.filename().native();
  stem = stem.substr(0, stem.find(L'.'));
  std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return std::towupper(c); });
  constexpr const wchar_t* kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  if (std::find(std::begin(kDevices), std::end(kDevices), stem) != std::end(kDevices)) return true;
  return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
         stem[3] <= L'9';
}
#endif

// Where `path` puts its bytes, for comparing outputs: standard output is
// whatever file it is; a link is followed to the name it finally points at,
// and a name still to be created is taken with its folders' links resolved.
fs::path GivenName(std::string_view path) {
#ifndef _WIN32
  if (path == "-") return "/dev/stdout";
#endif
  return NativeOutputPath(path);
}

fs::path ComparedName(std::string_view path) {
  fs::path name = GivenName(path);
  if (path == "-") return name;
  try {
    name = FinalName(name, path);
  } catch (const FileWriteError&) {
  }
  std::error_code error;
  const fs::path absolute = fs::absolute(name, error);
  const fs::path resolved = fs::weakly_canonical(absolute, error);
  return error ? absolute.lexically_normal() : resolved;
}

}  // namespace

bool SameFile(std::string_view a, std::string_view b) {
  if (a == "-" && b == "-") return true;
#ifdef _WIN32
  if (a == "-" || b == "-") return false;
#endif
  const fs::path first = ComparedName(a), second = ComparedName(b);
  if (IsNullDevice(first) || IsNullDevice(second)) return false;
  // Hard links, and links the text above cannot see through (/dev/stdout).
  return SameFileOnDisk(GivenName(a), GivenName(b)) || SameFileOnDisk(first, second) || first == second;
}

fs::path NativeOutputPath(std::string_view utf8) {
  return fs::path(std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

fs::path HiddenNameBeside(const fs::path& target, std::size_t reserve) {
  // The longest name in a folder of the usual file systems: 255 bytes
  // (ext4, XFS, APFS) or 255 UTF-16 units (NTFS).
  constexpr std::size_t kLongestName = 255;
  fs::path::string_type name = target.filename().native();
  const std::size_t room = kLongestName - std::min(kLongestName, reserve + 1);
  if (name.size() > room) {
    name.resize(room);
    // Never half a character: a UTF-8 continuation byte, or the low half of
    // a UTF-16 surrogate pair, goes with what it continues.
    const auto continues = [](auto unit) {
      const auto value = static_cast<std::make_unsigned_t<decltype(unit)>>(unit);
      return sizeof unit == 1 ? (value & 0xC0) == 0x80 : (value >= 0xDC00 && value <= 0xDFFF);
    };
    if (!name.empty() && room < target.filename().native().size() &&
        continues(target.filename().native()[room])) {
      while (!name.empty() && continues(name.back())) name.pop_back();
      if (!name.empty()) name.pop_back();
    }
  }
  fs::path::string_type hidden(1, static_cast<fs::path::value_type>('.'));
  return FolderOf(target) / (hidden + name);
}

fs::path FolderOf(const fs::path& name) {
  return name.has_parent_path() ? name.parent_path() : fs::path(".");
}

void FailOutput(std::string_view path, std::string_view what, std::string_view reason) {
  throw FileWriteError(std::string(path) + ": " + std::string(what) + ": " + std::string(reason));
}

OutputTarget ExamineOutputTarget(std::string_view path) {
  if (path.empty()) Refuse("\"\"", "an empty name names no file; name a file, or - for standard output");
  const fs::path given = NativeOutputPath(path);
#ifdef _WIN32
  if (IsWindowsDevice(given)) return {OutputRoute::kDirect, given};
#endif
  std::error_code error;
  // The system's view, every link followed.
  const fs::file_status status = fs::status(given, error);
  switch (status.type()) {
    case fs::file_type::not_found: {
      const fs::path final_name = FinalName(given, path);
      CheckFolder(final_name, path);
      return {OutputRoute::kReplace, final_name};
    }
    case fs::file_type::regular: {
      // A link only the system can follow (an open file under /proc/self/fd)
      // has no name to rename onto: the file is written through it.
      const fs::path final_name = FinalName(given, path);
      std::error_code same_error;
      if (fs::equivalent(final_name, given, same_error)) {
        CheckReplaceable(path, final_name);
        return {OutputRoute::kReplace, final_name};
      }
      return {OutputRoute::kDirect, given};
    }
    case fs::file_type::character:
    case fs::file_type::fifo:
    case fs::file_type::socket:
      return {OutputRoute::kDirect, given};
    case fs::file_type::directory:
      Refuse(path, "is a folder; name a file inside it");
    case fs::file_type::block:
      Refuse(path, "is a block device, which standin does not overwrite; name a file");
    case fs::file_type::none:
      if (error == std::errc::too_many_symbolic_link_levels) Refuse(path, kLinkLoop);
      FailOutput(path, "cannot reach it", error.message());
    default:
      Refuse(path, "is neither a file nor a device standin can write to; name a file");
  }
}

}  // namespace standin
