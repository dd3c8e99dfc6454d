#include "cli/program_location.h"

#include "loader/shared_library.h"

namespace standin {

namespace fs = std::filesystem;

fs::path DefaultPluginsFolder() {
  const fs::path program = SharedLibrary::ProgramFile();
  if (program.empty()) return "plugins";
  return program.parent_path().parent_path() / "plugins";
}

}  // namespace standin
