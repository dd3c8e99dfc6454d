// Commands the plug-in registers with the host, and the host running them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vitrel_host_abi.h"

namespace standin {

struct RegisteredCommand {
  int32_t id = 0;
  std::string name;
  std::string help;
  int32_t flags = 0;
  bool icon = false;
  VtCommandCallbacks callbacks{};
  void* user = nullptr;
  const void* owner = nullptr;  // the plug-in that registered it (see SetRegistrar)
};

class CommandRegistry {
 public:
  CommandRegistry() = default;
  CommandRegistry(const CommandRegistry&) = delete;
  CommandRegistry& operator=(const CommandRegistry&) = delete;

  // Takes the plug-in's command; the host owns `user` from here on, also
  // when it refuses the command (an id taken already, no execute callback),
  // in which case it is destroyed at once.
  bool Register(int32_t id, std::string name, int32_t flags, bool icon, std::string help,
                const VtCommandCallbacks* callbacks, void* user);

  const RegisteredCommand* Find(int32_t id) const;
  const std::vector<RegisteredCommand>& commands() const { return commands_; }

  // Runs command `id` in `doc` (its execute result), or nothing when no
  // such command is registered.
  std::optional<bool> Execute(int32_t id, VtDocument* doc);
  // The command's state bits in `doc`, or nothing without such a command
  // or state callback.
  std::optional<int32_t> GetState(int32_t id, VtDocument* doc);

  // Commands registered from now on belong to `owner` (a loaded plug-in;
  // null for none), so that they can be destroyed before it ends.
  void SetRegistrar(const void* owner) { registrar_ = owner; }

  // Told of every registration refused because its id is taken, before the
  // refused command is destroyed: the id, the owner of the command that has
  // it and the registrar of the refused one. Empty: no one is told.
  using TakenIdReport = std::function<void(int32_t id, const void* holder, const void* registrar)>;
  void SetTakenIdReport(TakenIdReport report) { taken_id_report_ = std::move(report); }

  // Destroys the commands of `owner`, or every command, in the order they
  // were registered; done before a plug-in's end action, after which none of
  // them is called again.
  void DestroyOwnedBy(const void* owner);
  void DestroyAll();

 private:
  std::vector<RegisteredCommand> commands_;
  const void* registrar_ = nullptr;
  TakenIdReport taken_id_report_;
};

// The commands of this host process.
CommandRegistry& HostCommands();

// Fills register_command.
void FillPluginOps(VtPluginOps& ops);

}  // namespace standin
