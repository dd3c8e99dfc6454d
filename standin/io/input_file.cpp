#include "io/input_file.h"

#include "io/output_target.h"

namespace standin {

InputFile OpenInputFile(std::string_view path) {
#ifdef _WIN32
  return InputFile(_wfopen(NativeOutputPath(path).c_str(), L"rb"), &std::fclose);
#else
  return InputFile(std::fopen(std::string(path).c_str(), "rb"), &std::fclose);
#endif
}

bool ReadWholeInput(std::string_view path, const InputKind& kind, std::string& text, std::string& reason) {
  if (path == "-" && kind.from_standard_input) return ReadStandardInput(kind, text, reason);
  return ReadInput(NativeOutputPath(path), kind, text, reason);
}

bool ReadWholeInput(std::string_view path, const InputKind& kind, InputText& text, std::string& reason) {
  if (path == "-" && kind.from_standard_input) return ReadStandardInput(kind, text, reason);
  return ReadInput(NativeOutputPath(path), kind, text, reason);
}

}  // namespace standin
