#include "scratch_folder.h"

#include <unistd.h>

#include <string>
#include <system_error>

namespace vitrel::bench {
namespace {

class Folder {
 public:
  Folder() : path_(std::filesystem::temp_directory_path() / ("vitrel-bench-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

const std::filesystem::path& ScratchFolder() {
  static const Folder folder;
  return folder.path();
}

}  // namespace vitrel::bench
