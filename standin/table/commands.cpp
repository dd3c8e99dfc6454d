#include "table/commands.h"

#include <algorithm>
#include <cstring>

#include "host/plugin_calls.h"
#include "journal/journal.h"
#include "ui/vt_text.h"

namespace standin {
namespace {

VtCommandCallbacks CopyCallbacks(const VtCommandCallbacks* callbacks) {
  VtCommandCallbacks copy{};
  if (callbacks == nullptr) return copy;
  // Entries past the size the plug-in gave stay null.
  const std::size_t bytes = std::min<std::size_t>(callbacks->size, sizeof(VtCommandCallbacks));
  std::memcpy(&copy, callbacks, bytes);
  copy.size = static_cast<uint32_t>(bytes);
  return copy;
}

void Destroy(const RegisteredCommand& command) {
  if (command.callbacks.destroy == nullptr) return;
  const PluginCall call;
  if (call.allowed()) command.callbacks.destroy(command.user);
}

int32_t RegisterCommand(int32_t id, VtText name, int32_t flags, const VtBitmap* icon, VtText help,
                        const VtCommandCallbacks* callbacks, void* user) {
  return HostCommands().Register(id, std::string(TextView(name)), flags, icon != nullptr,
                                 std::string(TextView(help)), callbacks, user)
             ? 1
             : 0;
}

}  // namespace

bool CommandRegistry::Register(int32_t id, std::string name, int32_t flags, bool icon, std::string help,
                               const VtCommandCallbacks* callbacks, void* user) {
  RegisteredCommand command{id,   std::move(name), std::move(help), flags, icon, CopyCallbacks(callbacks),
                            user, registrar_};
  Journal::Event(HostJournal(), "command.register")
      .Int("id", id)
      .Text("name", command.name)
      .Text("help", command.help)
      .Bool("icon", icon);
  const RegisteredCommand* taken = Find(id);
  if (taken != nullptr && taken_id_report_) taken_id_report_(id, taken->owner, registrar_);
  if (taken != nullptr || command.callbacks.execute == nullptr) {
    Destroy(command);
    return false;
  }
  commands_.push_back(std::move(command));
  return true;
}

const RegisteredCommand* CommandRegistry::Find(int32_t id) const {
  auto it = std::find_if(commands_.begin(), commands_.end(), [id](const auto& c) { return c.id == id; });
  return it == commands_.end() ? nullptr : &*it;
}

std::optional<bool> CommandRegistry::Execute(int32_t id, VtDocument* doc) {
  const RegisteredCommand* command = Find(id);
  if (command == nullptr) return std::nullopt;
  // Copied: the command may register others while it runs.
  const VtCommandCallbacks callbacks = command->callbacks;
  void* user = command->user;
  const PluginCall call;
  return call.allowed() && callbacks.execute(user, doc) != 0;
}

std::optional<int32_t> CommandRegistry::GetState(int32_t id, VtDocument* doc) {
  const RegisteredCommand* command = Find(id);
  if (command == nullptr || command->callbacks.get_state == nullptr) return std::nullopt;
  const VtCommandCallbacks callbacks = command->callbacks;
  void* user = command->user;
  const PluginCall call;
  if (!call.allowed()) return std::nullopt;
  return callbacks.get_state(user, doc);
}

void CommandRegistry::DestroyOwnedBy(const void* owner) {
  // Taken out first, so a destroy callback that reaches the registry finds
  // no half-destroyed command.
  std::vector<RegisteredCommand> kept;
  std::vector<RegisteredCommand> ending;
  for (RegisteredCommand& command : commands_)
    (command.owner == owner ? ending : kept).push_back(std::move(command));
  commands_ = std::move(kept);
  for (const RegisteredCommand& command : ending) Destroy(command);
}

void CommandRegistry::DestroyAll() {
  std::vector<RegisteredCommand> ending = std::move(commands_);
  commands_.clear();
  for (const RegisteredCommand& command : ending) Destroy(command);
}

CommandRegistry& HostCommands() {
  static CommandRegistry registry;
  return registry;
}

void FillPluginOps(VtPluginOps& ops) { ops.register_command = Checked<RegisterCommand>; }

}  // namespace standin
