// Draws the plug-in's pictures into a folder, or checks one picture:
//   vitrel_pictures write DIR
//   vitrel_pictures check FILE WIDTH HEIGHT
// The check confirms that a picture is plain 8-bit RGB of the given size and
// not one flat colour, so a build that drew nothing is caught.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

#include "pictures.h"
#include "tiff_file.h"

namespace {

int usage() {
  std::cerr << "usage: vitrel_pictures write DIR\n"
               "       vitrel_pictures check FILE WIDTH HEIGHT\n";
  return 2;
}

bool parseSize(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value > 0;
}

int writeAll(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::cerr << "vitrel_pictures: cannot create " << folder.string() << ": " << error.message() << "\n";
    return 1;
  }
  for (const pictures::Picture& picture : pictures::allPictures()) {
    const std::string path = (folder / picture.fileName).string();
    const std::string problem = pictures::writeTiff(path, picture.draw());
    if (!problem.empty()) {
      std::cerr << "vitrel_pictures: " << problem << "\n";
      return 1;
    }
  }
  return 0;
}

bool hasMoreThanOneColour(const pictures::Image& image) {
  const pictures::Rgb first = image.at(0, 0);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!(image.at(x, y) == first)) return true;
  return false;
}

int check(const std::string& path, int width, int height) {
  const pictures::ReadResult read = pictures::readPlainTiff(path);
  if (!read.image) {
    std::cerr << path << ": " << read.error << "\n";
    return 1;
  }
  const pictures::Image& image = *read.image;
  if (image.width() != width || image.height() != height) {
    std::cerr << path << ": " << image.width() << " x " << image.height() << ", expected " << width << " x "
              << height << "\n";
    return 1;
  }
  if (!hasMoreThanOneColour(image)) {
    std::cerr << path << ": one flat colour\n";
    return 1;
  }
  std::cout << path << ": " << width << " x " << height << " RGB\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "write" && argc == 3) return writeAll(argv[2]);
  int width = 0, height = 0;
  if (mode == "check" && argc == 5 && parseSize(argv[3], width) && parseSize(argv[4], height))
    return check(argv[2], width, height);
  return usage();
}
