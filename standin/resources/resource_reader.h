// Reads a plug-in's resource from its "res" folder: the dialog descriptions
// of res/dialogs.res and the English string table res/strings_en/dialogs.str.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "resources/resource.h"

namespace standin {

inline constexpr const char* kResourceFileName = "dialogs.res";
inline constexpr const char* kStringsFolderName = "strings_en";
inline constexpr const char* kStringsFileName = "dialogs.str";

// Null when a file is missing or damaged; `error` then holds one line such as
// `standin: /path/res/dialogs.res:12: unknown gadget kind "FOO"`.
std::unique_ptr<Resource> ReadResourceFolder(const std::filesystem::path& res_folder, std::string& error);

}  // namespace standin
