#include <windows.h>

#include <stdexcept>
#include <string>

#include "child_process.h"

namespace vitrel::test_support {
namespace {

std::wstring Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

// One word of a command line, quoted so that the child's parser gives it
// back unchanged: backslashes double only before a quote or the end.
void AppendQuoted(std::wstring& line, const std::wstring& word) {
  if (!line.empty()) line += L' ';
  line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

HANDLE OpenInherited(const std::filesystem::path& path, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int RunChild(const std::filesystem::path& program, const std::vector<std::string>& args,
             const std::filesystem::path& folder, const ChildStreams& streams) {
  std::wstring line;
  AppendQuoted(line, program.wstring());
  for (const std::string& arg : args) AppendQuoted(line, Wide(arg));

  HANDLE in = OpenInherited(streams.in, false);
  HANDLE out = OpenInherited(streams.out, true);
  HANDLE err = OpenInherited(streams.err, true);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  // Under wine a start now and then fails while the wine server is busy
  // starting or stopping; a few tries tell that from a real failure.
  BOOL started = FALSE;
  DWORD error = 0;
  for (int attempt = 0; attempt < 5 && !started; ++attempt) {
    if (attempt > 0) Sleep(200);
    started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                             &startup, &process);
    if (!started) error = GetLastError();
  }
  for (HANDLE handle : {in, out, err}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  if (!started) throw std::runtime_error("cannot start " + program.string() + " (error " + std::to_string(error) + ")");
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // An unhandled exception ends a process with its NTSTATUS code (0xC...).
  return status >= 0xC0000000u ? -1 : static_cast<int>(status);
}

}  // namespace vitrel::test_support
