// The program's entry on POSIX systems, where the command line arrives as
// UTF-8 bytes already (the Windows entry is main_windows.cpp).
#include <clocale>
#include <string_view>
#include <vector>

#include "cli/program.h"

int main(int argc, char** argv) {
  // A host runs in its user's locale; so does standin, so that a plug-in
  // whose numbers depend on it shows that here too.
  std::setlocale(LC_ALL, "");
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  return standin::RunProgram(words);
}
