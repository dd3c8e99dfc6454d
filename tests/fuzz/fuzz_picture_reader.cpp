// Reads the input as a picture file. A picture that reads has a size within
// the host's limits; a rejected input leaves the picture as it was and says
// why.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "resources/picture_codec.h"
#include "scratch_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::filesystem::path file = ScratchPath("picture.tif");
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const standin::Picture untouched(1, 1, {1, 2, 3, 4});
  standin::Picture picture = untouched;
  std::string error;
  if (!standin::ReadPicture(file, picture, error)) {
    if (error.empty() || picture.width() != 1 || picture.at(0, 0) != untouched.at(0, 0)) std::abort();
    return 0;
  }
  if (picture.empty() || picture.width() > standin::kMaxPictureSide ||
      picture.height() > standin::kMaxPictureSide)
    std::abort();
  return 0;
}
