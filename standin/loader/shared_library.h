// A shared library opened by the host: the one place that knows how the
// system loads libraries (dlopen here, LoadLibrary on Windows).
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace standin {

class SharedLibrary {
 public:
  // The library at `path`, or null with the system's reason in `error`.
  static std::unique_ptr<SharedLibrary> Open(const std::filesystem::path& path, std::string& error);
  ~SharedLibrary();  // closes the library
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // The address of an exported symbol, or null.
  void* Symbol(const char* name) const;

  // The file name ending of libraries the host loads as plug-ins here.
  static const char* PluginSuffix();

 private:
  explicit SharedLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace standin
