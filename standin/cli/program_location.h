// Where the program looks for things of its own, found from its own file.
#pragma once

#include <filesystem>

namespace standin {

// The default plug-ins folder: `plugins` beside the program's `bin` folder
// (build/default/bin/standin gives build/default/plugins); `plugins` in the
// working directory when the system cannot say where the program is.
std::filesystem::path DefaultPluginsFolder();

}  // namespace standin
