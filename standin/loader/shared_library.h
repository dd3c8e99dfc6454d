// A shared library opened by the host, and the running program's own file:
// the one place that knows how the system loads libraries (dlopen here,
// LoadLibrary on Windows) and where it keeps the program.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace standin {

class SharedLibrary {
 public:
  // The library at `path`, or null with one line in `error` that says why
  // and does not repeat the path: a file that is no library, a library
  // built for another system or architecture (naming both), a library it
  // needs that is missing, or else the system's own reason.
  static std::unique_ptr<SharedLibrary> Open(const std::filesystem::path& path, std::string& error);
  ~SharedLibrary();  // closes the library
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // The address of an exported symbol, or null.
  void* Symbol(const char* name) const;

  // The file name ending of libraries the host loads as plug-ins here.
  static const char* PluginSuffix();

  // The running program's file, or an empty path when the system cannot say.
  static std::filesystem::path ProgramFile();

 private:
  explicit SharedLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace standin
