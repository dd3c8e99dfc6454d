#include "resources/resource_reader.h"

#include "base/regular_input.h"
#include "resources/resource_parser.h"

namespace standin {

namespace {

bool ReadWholeFile(const std::filesystem::path& path, std::string& text, std::string& error) {
  std::string reason;
  if (ReadInput(path, kResourceInput, text, reason)) return true;
  error = "standin: " + path.string() + ": " + reason;
  return false;
}

std::string Located(const std::filesystem::path& path, int32_t line, const std::string& message) {
  return "standin: " + path.string() + ":" + std::to_string(line) + ": " + message;
}

// Every caption key of every description must be in the string table.
bool CheckCaptions(const Resource& resource, const std::filesystem::path& dialogs_path,
                   const std::filesystem::path& strings_path, std::string& error) {
  auto missing = [&](const std::string& key, int32_t line) {
    if (key.empty() || resource.strings.Find(key) != nullptr) return false;
    error = Located(dialogs_path, line, "no text for " + key + " in " + strings_path.string());
    return true;
  };
  for (const auto& [id, dialog] : resource.dialogs) {
    if (missing(dialog.title_key, dialog.line)) return false;
    for (const LayoutElement& element : dialog.elements) {
      if (missing(element.caption_key, element.line)) return false;
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<Resource> ReadResourceFolder(const std::filesystem::path& res_folder, std::string& error) {
  const std::filesystem::path dialogs_path = res_folder / kResourceFileName;
  const std::filesystem::path strings_path = res_folder / kStringsFolderName / kStringsFileName;
  auto resource = std::make_unique<Resource>();
  std::string text;
  ParseError parse_error;
  if (!ReadWholeFile(dialogs_path, text, error)) return nullptr;
  if (!ParseDialogDescriptions(text, resource->dialogs, parse_error)) {
    error = Located(dialogs_path, parse_error.line, parse_error.message);
    return nullptr;
  }
  if (!ReadWholeFile(strings_path, text, error)) return nullptr;
  if (!ParseStringTable(text, resource->strings, parse_error)) {
    error = Located(strings_path, parse_error.line, parse_error.message);
    return nullptr;
  }
  if (!CheckCaptions(*resource, dialogs_path, strings_path, error)) return nullptr;
  return resource;
}

}  // namespace standin
