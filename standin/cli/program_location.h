// Where the running program lies: the one place that asks the system.
#pragma once

#include <filesystem>

namespace standin {

// The running program's file, or an empty path when the system cannot say.
std::filesystem::path ProgramFile();

// The default plug-ins folder: `plugins` beside the program's `bin` folder
// (build/default/bin/standin gives build/default/plugins).
std::filesystem::path DefaultPluginsFolder();

}  // namespace standin
