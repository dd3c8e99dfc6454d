#include "resources/resource.h"

namespace standin {

bool StringTable::Add(std::string key, std::string text) {
  return texts_.emplace(std::move(key), std::move(text)).second;
}

const std::string* StringTable::Find(std::string_view key) const {
  auto it = texts_.find(std::string(key));
  return it == texts_.end() ? nullptr : &it->second;
}

const DialogDescription* Resource::FindDialog(int32_t id) const {
  auto it = dialogs.find(id);
  return it == dialogs.end() ? nullptr : &it->second;
}

std::string Resource::Text(std::string_view key) const {
  if (key.empty()) return {};
  const std::string* text = strings.Find(key);
  return text == nullptr ? std::string(key) : *text;
}

}  // namespace standin
