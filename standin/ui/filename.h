// File names the host lends the plug-in: UTF-8 paths behind VtFilename
// handles, and the rules by which text becomes a path.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "vitrel_host_abi.h"

namespace standin {

// The system's own separator: '\\' on Windows, '/' elsewhere.
inline constexpr char kPathSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// The path that `text` names. Where the separator is '/', a backslash is read
// as a separator too: the plug-in joins its folder and file names with a
// backslash on every system.
std::string PathFromText(std::string_view text);

// `base` and `component` joined by exactly one separator; an empty base gives
// the component, an empty component the base.
std::string JoinPath(std::string_view base, std::string_view component);

// A UTF-8 path as the system's path type (on every system, whatever its
// narrow encoding).
std::filesystem::path NativePath(std::string_view utf8);
// A system path as UTF-8 text.
std::string Utf8Path(const std::filesystem::path& path);

// A file name made by the host itself (the plug-in's folder, say); it is
// freed with FreeFilename or by the plug-in through the table.
VtFilename* MakeFilename(std::string path);
void FreeFilename(const VtFilename* name);
// The path behind a live handle, or null.
const std::string* FilenamePath(const VtFilename* name);
// File names made and not yet freed.
std::size_t LiveFilenames();

// Fills every entry of the file table.
void FillFileOps(VtFileOps& ops);

}  // namespace standin
