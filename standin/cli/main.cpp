#include <string_view>
#include <vector>

#include "cli/program.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  return standin::RunProgram(words);
}
