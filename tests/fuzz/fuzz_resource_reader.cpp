// Reads the input as a plug-in's resource folder: the bytes before the first
// NUL are the dialog descriptions, the rest the string table. Each
// description of a resource that reads is then laid out in a dialog, as
// loading it into a dialog does. A rejected input gives a one-line message.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "resources/layout_builder.h"
#include "resources/resource_reader.h"
#include "scratch_path.h"

namespace {

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = std::min(input.find('\0'), input.size());
  static const std::filesystem::path folder = [] {
    std::filesystem::path path = ScratchPath("res");
    std::filesystem::create_directories(path / standin::kStringsFolderName);
    return path;
  }();
  WriteFile(folder / standin::kResourceFileName, input.substr(0, split));
  WriteFile(folder / standin::kStringsFolderName / standin::kStringsFileName,
            input.substr(std::min(split + 1, input.size())));
  std::string error;
  const std::unique_ptr<standin::Resource> resource = standin::ReadResourceFolder(folder, error);
  if (!resource) {
    if (error.empty() || error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  for (const auto& [id, description] : resource->dialogs) {
    standin::Dialog dialog(nullptr, nullptr);
    if (!standin::BuildLayout(dialog, *resource, id)) std::abort();
  }
  return 0;
}
