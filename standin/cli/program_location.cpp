#include "cli/program_location.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace standin {

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path ProgramFile() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return fs::path(std::wstring(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

#else

fs::path ProgramFile() {
  std::error_code error;
  fs::path file = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : file;
}

#endif

fs::path DefaultPluginsFolder() {
  const fs::path program = ProgramFile();
  if (program.empty()) return "plugins";
  return program.parent_path().parent_path() / "plugins";
}

}  // namespace standin
