// The program's entry on Windows. The system hands the command line over as
// UTF-16; the program works in UTF-8 throughout, so the words are converted
// once here. Standard streams carry bytes unchanged (no CR LF translation,
// no end of input at a Ctrl-Z), as scene files and journals need.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/program.h"

namespace {

std::string Utf8(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
  text.pop_back();  // the terminating NUL
  return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // A host runs in its user's locale; so does standin (see main.cpp).
  std::setlocale(LC_ALL, "");
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> texts;
  for (int i = 1; i < argc; ++i) texts.push_back(Utf8(argv[i]));
  const std::vector<std::string_view> words(texts.begin(), texts.end());
  return standin::RunProgram(words);
}
