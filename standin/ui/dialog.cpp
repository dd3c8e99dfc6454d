#include "ui/dialog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "host/faults.h"
#include "host/plugin_calls.h"

namespace standin {
namespace {

constexpr std::array<std::string_view, 8> kKindNames = {"checkbox", "popup",    "edit", "color",
                                                        "button",   "userarea", "text", "group"};

}  // namespace

std::string_view GadgetKindName(GadgetKind kind) { return kKindNames[static_cast<std::size_t>(kind)]; }

void SetLimits(Gadget& gadget, double min, double max) {
  gadget.has_limits = std::isfinite(min) && std::isfinite(max) && min <= max;
  gadget.min = gadget.has_limits ? min : 0.0;
  gadget.max = gadget.has_limits ? max : 0.0;
}

double ClampToLimits(const Gadget& gadget, double value) {
  if (!gadget.has_limits) return value;
  return std::clamp(value, gadget.min, gadget.max);
}

Dialog::Dialog(const VtDialogCallbacks* callbacks, void* user) : user_(user) {
  if (callbacks == nullptr) return;
  // Copy only as much as the plug-in says it gave; entries past that stay null.
  std::size_t bytes = std::min<std::size_t>(callbacks->size, sizeof(VtDialogCallbacks));
  std::memcpy(&callbacks_, callbacks, bytes);
  callbacks_.size = static_cast<uint32_t>(bytes);
}

bool Dialog::CreateLayout() {
  auto fn = callbacks_.create_layout;
  if (fn == nullptr) return true;
  const PluginCall call;
  if (!call.allowed()) return false;
  DialogRegistry::CallScope scope(HostDialogs());
  return fn(user_) != 0;
}

bool Dialog::InitValues() {
  auto fn = callbacks_.init_values;
  if (fn == nullptr) return true;
  const PluginCall call;
  if (!call.allowed()) return false;
  DialogRegistry::CallScope scope(HostDialogs());
  return fn(user_) != 0;
}

bool Dialog::Command(int32_t id) {
  auto fn = callbacks_.command;
  if (fn == nullptr) return true;
  const PluginCall call;
  if (!call.allowed()) return false;
  DialogRegistry::CallScope scope(HostDialogs());
  return fn(user_, id) != 0;
}

bool Dialog::AskClose() {
  auto fn = callbacks_.ask_close;
  if (fn == nullptr) return false;
  const PluginCall call;
  if (!call.allowed()) return false;
  DialogRegistry::CallScope scope(HostDialogs());
  return fn(user_) != 0;
}

void Dialog::ClearWindow() {
  gadgets_.clear();
  by_id_.clear();
  MenuFlushAll();
  description_id.reset();
  layout_loaded = false;
  title.clear();
}

Gadget* Dialog::AddGadget(Gadget gadget) {
  if (gadget.id > 0 && by_id_.contains(gadget.id)) return nullptr;
  gadgets_.push_back(std::make_unique<Gadget>(std::move(gadget)));
  Gadget* added = gadgets_.back().get();
  if (added->id > 0) by_id_.emplace(added->id, added);
  return added;
}

Gadget* Dialog::Find(int32_t id) {
  auto it = by_id_.find(id);
  return it == by_id_.end() ? nullptr : it->second;
}

const Gadget* Dialog::Find(int32_t id) const {
  auto it = by_id_.find(id);
  return it == by_id_.end() ? nullptr : it->second;
}

void Dialog::MenuFlushAll() {
  menus_.clear();
  open_menus_.clear();
}

void Dialog::MenuSubBegin(std::string_view title_text) {
  std::string full(title_text);
  if (!open_menus_.empty()) full = menus_[open_menus_.back()].title + "/" + full;
  menus_.push_back(Menu{std::move(full), {}});
  open_menus_.push_back(menus_.size() - 1);
}

void Dialog::MenuSubEnd() {
  if (!open_menus_.empty()) open_menus_.pop_back();
}

void Dialog::MenuAddEntry(int32_t id, std::string_view text) {
  if (open_menus_.empty()) {
    if (menus_.empty() || !menus_.back().title.empty()) menus_.push_back(Menu{});
    menus_.back().entries.push_back(MenuEntry{id, std::string(text)});
    return;
  }
  menus_[open_menus_.back()].entries.push_back(MenuEntry{id, std::string(text)});
}

void Dialog::MenuFinished() { open_menus_.clear(); }

bool Dialog::HasMenuEntry(int32_t id) const {
  for (const Menu& menu : menus_) {
    for (const MenuEntry& entry : menu.entries) {
      if (entry.id == id) return true;
    }
  }
  return false;
}

Dialog* DialogRegistry::Create(const VtDialogCallbacks* callbacks, void* user) {
  if (HostFaults().ShouldFail(Fault::kDialog)) return nullptr;
  auto dialog = std::make_unique<Dialog>(callbacks, user);
  Dialog* made = dialog.get();
  live_.emplace(made, std::move(dialog));
  return made;
}

void DialogRegistry::Release(Dialog* dialog) {
  auto it = live_.find(dialog);
  if (it == live_.end()) return;
  std::unique_ptr<Dialog> owned = std::move(it->second);
  live_.erase(it);
  std::erase(opened_, dialog);
  if (call_depth_ > 0) dead_.push_back(std::move(owned));
}

Dialog* DialogRegistry::Find(const VtDialog* handle) const {
  auto it = live_.find(reinterpret_cast<const Dialog*>(handle));
  return it == live_.end() ? nullptr : it->second.get();
}

bool DialogRegistry::Alive(const Dialog* dialog) const { return live_.contains(dialog); }

std::vector<Dialog*> DialogRegistry::All() const {
  std::vector<Dialog*> all;
  all.reserve(live_.size());
  for (const auto& [key, dialog] : live_) all.push_back(dialog.get());
  return all;
}

Dialog* DialogRegistry::OpenNonModal() const {
  for (auto it = opened_.rbegin(); it != opened_.rend(); ++it) {
    if ((*it)->open && !(*it)->modal) return *it;
  }
  return nullptr;
}

void DialogRegistry::NoteOpened(Dialog* dialog) {
  std::erase(opened_, dialog);
  opened_.push_back(dialog);
}

DialogRegistry::CallScope::CallScope(DialogRegistry& registry) : registry_(registry) {
  ++registry_.call_depth_;
}

DialogRegistry::CallScope::~CallScope() {
  if (--registry_.call_depth_ == 0) registry_.dead_.clear();
}

void DialogRegistry::Clear() {
  opened_.clear();
  if (call_depth_ > 0) {
    for (auto& [key, dialog] : live_) dead_.push_back(std::move(dialog));
  }
  live_.clear();
}

DialogRegistry& HostDialogs() {
  static DialogRegistry registry;
  return registry;
}

}  // namespace standin
