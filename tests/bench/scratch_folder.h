// A folder of this run's own under the system's temporary folder, for the
// scene files the file cases read and write; removed when the program ends.
#pragma once

#include <filesystem>

namespace vitrel::bench {

const std::filesystem::path& ScratchFolder();

}  // namespace vitrel::bench
