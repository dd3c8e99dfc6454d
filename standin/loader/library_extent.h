// Whether a library file holds all that its headers name. The system loader
// maps segments by the offsets the headers give and reads them on first
// touch, so a file cut short (a half-finished copy) ends the host with
// SIGBUS inside the loader, with no word of which file it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace standin {

// Why the library at `path` is cut short ("cut short: its headers name
// 49152 bytes, the file holds 20000; copy it again"), or nothing when every
// segment and section its headers name lies inside it, or when it is not of
// the system's own format, ELF or (on Windows) PE: the loader's own checks
// then speak.
std::optional<std::string> CutShort(const std::filesystem::path& path);

}  // namespace standin
