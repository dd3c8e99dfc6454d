#include "loader/shared_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {

#ifdef _WIN32

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::filesystem::path& path, std::string& error) {
  HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) {
    error = "the system cannot load it (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(module));
}

SharedLibrary::~SharedLibrary() { FreeLibrary(static_cast<HMODULE>(handle_)); }

void* SharedLibrary::Symbol(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

const char* SharedLibrary::PluginSuffix() { return ".xdl64"; }

#else

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::filesystem::path& path, std::string& error) {
  // Local binding keeps one plug-in's symbols from resolving another's.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "the system cannot load it";
    // The system's reason names the file again; the caller names it already.
    const std::string named = path.string() + ": ";
    if (error.starts_with(named)) error.erase(0, named.size());
    return nullptr;
  }
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary() { dlclose(handle_); }

void* SharedLibrary::Symbol(const char* name) const { return dlsym(handle_, name); }

const char* SharedLibrary::PluginSuffix() {
#ifdef __APPLE__
  return ".xlib";
#else
  return ".so";
#endif
}

#endif

}  // namespace standin
