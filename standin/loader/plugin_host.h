// Loading plug-ins: each library is opened, its module declaration read, its
// entry point called with the start actions, and at the end with the end
// action before the library is closed again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace standin {

struct PluginInfo {
  std::string path;  // the library, UTF-8
  std::string module;
  std::vector<std::string> frameworks;
};

class PluginHost {
 public:
  // Reasons why a library is not used go to `errors`, one line each:
  // "standin: plug-in PATH: reason"; so does every registration of a
  // command id that a plug-in has already, which the host refuses.
  explicit PluginHost(std::ostream& errors = std::cerr);
  ~PluginHost();  // UnloadAll
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // Loads the plug-in folders directly below `dir`, in name order: every
  // library in such a folder whose name ends in SharedLibrary::PluginSuffix().
  // A library directly in `dir` is reported and not loaded. Returns how many
  // plug-ins started.
  int LoadFolder(const std::filesystem::path& dir);

  // Loads one library as a plug-in whose folder is the library's folder:
  // reads its declaration, then calls action 1 (the host table, the folder)
  // and action 2. A library without entry point or declaration, or one that
  // refuses the host or fails to start, is reported, ended if it had begun,
  // and closed. True when it started.
  bool LoadPlugin(const std::filesystem::path& library);

  // Sends host message `id` (action 6) to every plug-in; their results in
  // load order.
  std::vector<int32_t> SendMessage(int32_t id, void* data);

  // Calls action 2 once more on every plug-in, as a host that starts its
  // plug-ins twice would, so that a validator can see how a plug-in copes;
  // the results in load order.
  std::vector<int32_t> StartAgain();

  // Ends every plug-in, the last loaded first: its commands are destroyed,
  // action 3 is called and the library is closed.
  void UnloadAll();

  std::vector<PluginInfo> plugins() const;

 private:
  struct Plugin;
  int32_t Call(Plugin& plugin, int32_t action, void* p1, void* p2, void* p3);
  void End(Plugin& plugin);
  // Opens the library and checks that it is a plug-in of this host, built
  // for its table layout and not loaded already.
  bool Identify(Plugin& plugin, const std::filesystem::path& library_path);
  // Runs the plug-in's first calls and keeps it when they succeed.
  bool Start(std::unique_ptr<Plugin> plugin, const std::filesystem::path& library_path);
  bool Report(const std::filesystem::path& where, const std::string& reason);
  void ReportTakenId(int32_t id, const void* holder, const void* registrar);
  const Plugin* Find(const void* owner) const;

  std::ostream& errors_;
  std::vector<std::unique_ptr<Plugin>> plugins_;
  const Plugin* starting_ = nullptr;  // the plug-in in its start calls
};

}  // namespace standin
