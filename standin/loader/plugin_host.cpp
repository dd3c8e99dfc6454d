#include "loader/plugin_host.h"

#include <algorithm>
#include <cstdint>
#include <system_error>

#include "host/plugin_calls.h"
#include "journal/journal.h"
#include "loader/shared_library.h"
#include "table/commands.h"
#include "table/host_table.h"
#include "ui/dialog.h"
#include "ui/filename.h"
#include "vitrel_host_abi.h"

namespace standin {

namespace fs = std::filesystem;

namespace {

// More frameworks than this in a declaration means it is garbage.
constexpr int32_t kMaxFrameworks = 1024;

PluginInfo ReadDeclaration(const VtModuleDeclaration& declaration, const fs::path& library) {
  PluginInfo info;
  info.path = Utf8Path(library);
  if (declaration.identifier != nullptr) info.module = declaration.identifier;
  if (declaration.frameworks != nullptr) {
    const int32_t count = std::clamp(declaration.framework_count, 0, kMaxFrameworks);
    for (int32_t i = 0; i < count; ++i) {
      if (declaration.frameworks[i] != nullptr) info.frameworks.emplace_back(declaration.frameworks[i]);
    }
  }
  return info;
}

// The entries of `dir` in name order, or nothing when it cannot be read.
std::vector<fs::path> SortedEntries(const fs::path& dir, std::error_code& error) {
  std::vector<fs::path> entries;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    entries.push_back(it->path());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

// Whether `file` is a library the host would load as a plug-in.
bool IsLibrary(const fs::path& file) {
  std::error_code error;
  return file.extension() == SharedLibrary::PluginSuffix() && fs::is_regular_file(file, error);
}

// What an entry is when it is neither a folder nor a regular file (through
// links): a user who put a plug-in there is told why it did not load.
std::string OddEntry(const fs::path& entry) {
  std::error_code error;
  const fs::file_status status = fs::status(entry, error);
  switch (status.type()) {
    case fs::file_type::regular:
    case fs::file_type::directory:
      return {};
    case fs::file_type::not_found:
      return fs::is_symlink(fs::symlink_status(entry, error)) ? "is a link to nothing" : std::string();
    case fs::file_type::fifo:
      return "is a FIFO";
    case fs::file_type::socket:
      return "is a socket";
    case fs::file_type::character:
    case fs::file_type::block:
      return "is a device";
    default:
      return error ? "cannot be looked at (" + error.message() + ")" : "is no file";
  }
}

}  // namespace

struct PluginHost::Plugin {
  PluginInfo info;
  std::unique_ptr<SharedLibrary> library;
  VtMainFunction main = nullptr;
  VtFilename* folder = nullptr;
};

PluginHost::PluginHost(std::ostream& errors) : errors_(errors) {
  HostCommands().SetTakenIdReport([this](int32_t id, const void* holder, const void* registrar) {
    ReportTakenId(id, holder, registrar);
  });
}

PluginHost::~PluginHost() {
  UnloadAll();
  HostCommands().SetTakenIdReport(nullptr);
}

const PluginHost::Plugin* PluginHost::Find(const void* owner) const {
  if (owner != nullptr && owner == starting_) return starting_;
  for (const auto& plugin : plugins_) {
    if (plugin.get() == owner) return plugin.get();
  }
  return nullptr;
}

void PluginHost::ReportTakenId(int32_t id, const void* holder, const void* registrar) {
  errors_ << "standin: ";
  if (const Plugin* refused = Find(registrar)) errors_ << "plug-in " << refused->info.path << ": ";
  errors_ << "command " << id << " is registered already";
  if (const Plugin* owner = Find(holder)) errors_ << " by plug-in " << owner->info.path;
  errors_ << "; this registration is refused (each command needs an id of its own)\n";
}

bool PluginHost::Report(const fs::path& where, const std::string& reason) {
  errors_ << "standin: plug-in " << Utf8Path(where) << ": " << reason << '\n';
  return false;
}

int32_t PluginHost::Call(Plugin& plugin, int32_t action, void* p1, void* p2, void* p3) {
  const PluginCall call;
  const int32_t result = call.allowed() ? plugin.main(action, p1, p2, p3) : 0;
  Journal::Event(HostJournal(), "plugin.action").Int("action", action).Int("result", result);
  return result;
}

int PluginHost::LoadFolder(const fs::path& dir) {
  std::error_code error;
  const std::vector<fs::path> folders = SortedEntries(dir, error);
  if (error) {
    errors_ << "standin: plug-ins folder " << Utf8Path(dir) << ": " << error.message() << '\n';
    return 0;
  }
  int started = 0;
  for (const fs::path& folder : folders) {
    if (IsLibrary(folder)) {
      // The plug-in's folder is what it reads its resources from, so a
      // library directly in the plug-ins folder is not loaded.
      errors_ << "standin: " << Utf8Path(folder)
              << ": a plug-in lies in a folder of its own below the plug-ins folder; move it to "
              << Utf8Path(dir / folder.stem() / "") << '\n';
      continue;
    }
    if (const std::string odd = OddEntry(folder); !odd.empty()) {
      errors_ << "standin: " << Utf8Path(folder) << ": " << odd
              << ", not a plug-in's folder; it is left out\n";
      continue;
    }
    if (!fs::is_directory(folder, error)) continue;
    for (const fs::path& file : SortedEntries(folder, error)) {
      if (file.extension() != SharedLibrary::PluginSuffix()) continue;
      if (IsLibrary(file)) {
        if (LoadPlugin(file)) ++started;
      } else if (std::string odd = OddEntry(file); !odd.empty()) {
        Report(file, odd + ", not a library file; it is left out");
      } else if (fs::is_directory(file, error)) {
        Report(file, "is a folder, not a library file; it is left out");
      }
    }
  }
  return started;
}

bool PluginHost::LoadPlugin(const fs::path& library_path) {
  auto plugin = std::make_unique<Plugin>();
  if (!Identify(*plugin, library_path)) return false;
  {
    Journal::Event event(HostJournal(), "plugin.load");
    event.Text("path", plugin->info.path).Text("module", plugin->info.module);
    if (Journal::Writer* writer = event.Raw("frameworks")) {
      writer->StartArray();
      for (const std::string& name : plugin->info.frameworks) {
        writer->String(name.data(), static_cast<rapidjson::SizeType>(name.size()));
      }
      writer->EndArray();
    }
  }
  return Start(std::move(plugin), library_path);
}

bool PluginHost::Identify(Plugin& plugin, const fs::path& library_path) {
  std::string error;
  plugin.library = SharedLibrary::Open(library_path, error);
  if (plugin.library == nullptr) return Report(library_path, error);
  plugin.main = reinterpret_cast<VtMainFunction>(plugin.library->Symbol(VT_MAIN_SYMBOL));
  if (plugin.main == nullptr) {
    return Report(library_path, "exports no entry point " VT_MAIN_SYMBOL "; it is no plug-in of this host");
  }
  // The system hands out a library it has open already (the same file by
  // another path or a link) once more instead of loading it again: starting
  // it would start the running plug-in a second time.
  for (const auto& loaded : plugins_) {
    if (loaded->main == plugin.main) {
      return Report(library_path, "the same library as plug-in " + loaded->info.path + ", loaded already");
    }
  }
  const auto* declaration = static_cast<const VtModuleDeclaration*>(plugin.library->Symbol(VT_MODULE_SYMBOL));
  if (declaration == nullptr) {
    return Report(library_path,
                  "exports no module declaration " VT_MODULE_SYMBOL "; it is no plug-in of this host");
  }
  if (declaration->abi_version != VT_ABI_VERSION) {
    return Report(library_path, "built for host table layout " + std::to_string(declaration->abi_version) +
                                    ", this host has layout " + std::to_string(VT_ABI_VERSION) +
                                    "; use the plug-in's build for this layout");
  }
  plugin.info = ReadDeclaration(*declaration, library_path);
  // Two copies of one plug-in (its folder copied, an older version kept
  // beside the new) would register the same commands twice: the first wins.
  for (const auto& loaded : plugins_) {
    if (!plugin.info.module.empty() && loaded->info.module == plugin.info.module) {
      return Report(library_path, "a second copy of plug-in " + plugin.info.module +
                                      ", loaded already from " + loaded->info.path +
                                      "; remove one of the two");
    }
  }
  return true;
}

bool PluginHost::Start(std::unique_ptr<Plugin> plugin, const fs::path& library_path) {
  std::error_code ignored;
  const fs::path folder = fs::absolute(library_path, ignored).lexically_normal().parent_path();
  plugin->folder = MakeFilename(Utf8Path(folder));
  // The table is the host's and stays unchanged; the entry point takes it as
  // a plain pointer.
  void* table = const_cast<VtHostTable*>(&StandinHostTable());

  HostCommands().SetRegistrar(plugin.get());
  starting_ = plugin.get();
  const int32_t begun = Call(*plugin, VT_ACTION_INIT, table, nullptr, plugin->folder);
  if (begun != 1) {
    // It stopped at its first call: nothing to end, only commands to drop.
    HostCommands().DestroyOwnedBy(plugin.get());
    HostCommands().SetRegistrar(nullptr);
    starting_ = nullptr;
    FreeFilename(plugin->folder);
    return Report(library_path, "refused the host (result " + std::to_string(begun) + " of its first call)");
  }
  const int32_t started = Call(*plugin, VT_ACTION_START, nullptr, nullptr, nullptr);
  HostCommands().SetRegistrar(nullptr);
  starting_ = nullptr;
  if (started != 1) {
    End(*plugin);
    return Report(library_path, "failed to start (result " + std::to_string(started) + ")");
  }
  plugins_.push_back(std::move(plugin));
  return true;
}

std::vector<int32_t> PluginHost::SendMessage(int32_t id, void* data) {
  std::vector<int32_t> results;
  void* message = reinterpret_cast<void*>(static_cast<intptr_t>(id));
  for (const auto& plugin : plugins_)
    results.push_back(Call(*plugin, VT_ACTION_MESSAGE, message, data, nullptr));
  return results;
}

std::vector<int32_t> PluginHost::StartAgain() {
  std::vector<int32_t> results;
  for (const auto& plugin : plugins_) {
    // Registrations are the plug-in's, as in its first start.
    HostCommands().SetRegistrar(plugin.get());
    starting_ = plugin.get();
    results.push_back(Call(*plugin, VT_ACTION_START, nullptr, nullptr, nullptr));
  }
  HostCommands().SetRegistrar(nullptr);
  starting_ = nullptr;
  return results;
}

void PluginHost::End(Plugin& plugin) {
  HostCommands().DestroyOwnedBy(&plugin);
  Call(plugin, VT_ACTION_END, nullptr, nullptr, nullptr);
  FreeFilename(plugin.folder);
  plugin.folder = nullptr;
}

void PluginHost::UnloadAll() {
  if (plugins_.empty()) return;
  while (!plugins_.empty()) {
    End(*plugins_.back());
    plugins_.pop_back();  // closes the library
  }
  // Dialogs a plug-in left behind would call into code that is gone now.
  HostDialogs().Clear();
}

std::vector<PluginInfo> PluginHost::plugins() const {
  std::vector<PluginInfo> infos;
  for (const auto& plugin : plugins_) infos.push_back(plugin->info);
  return infos;
}

}  // namespace standin
