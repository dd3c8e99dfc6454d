// Splits the input as a script. Every line kept has words and a line number
// above the one before; a rejected input gives a one-line message.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "io/script_reader.h"
#include "session/command_errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    int previous = 0;
    for (const standin::ScriptLine& line :
         standin::SplitScript({reinterpret_cast<const char*>(data), size}, "input.script")) {
      if (line.words.empty() || line.number <= previous) std::abort();
      previous = line.number;
    }
  } catch (const standin::ScriptReadError& error) {
    if (std::strchr(error.what(), '\n') != nullptr) std::abort();
  }
  return 0;
}
