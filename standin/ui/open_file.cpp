#include "ui/open_file.h"

#ifdef _WIN32
// shellapi.h needs the types that windows.h declares.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <vector>
#else
#include <spawn.h>
#include <sys/types.h>
#endif

namespace standin {

#ifdef _WIN32

bool OpenWithSystemViewer(const std::string& path) {
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                         static_cast<int>(path.size()), nullptr, 0);
  if (length <= 0) return false;
  std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()), wide.data(),
                      length);
  // ShellExecute reports success with a value above 32.
  HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.data(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

#else

extern "C" char** environ;

bool OpenWithSystemViewer(const std::string& path) {
#ifdef __APPLE__
  const char* viewer = "open";
#else
  const char* viewer = "xdg-open";
#endif
  // The path goes to the viewer as one argument, never through a shell, and
  // never as something the viewer would read as an option.
  std::string program = viewer;
  std::string argument = path.starts_with('-') ? "./" + path : path;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  return posix_spawnp(&child, viewer, nullptr, nullptr, argv, environ) == 0;
}

#endif

}  // namespace standin
