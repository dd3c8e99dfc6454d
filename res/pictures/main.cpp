// Draws the plug-in's pictures into a folder, or checks one picture:
//   vitrel_pictures write DIR
//   vitrel_pictures check FILE WIDTH HEIGHT opaque|transparent
// The check confirms that a picture is 8-bit RGBA of the given size in the
// form the plug-in's hosts decode, and not one flat colour, so a build that
// drew nothing is caught. An opaque picture (a banner) has no pixel a dialog
// would show through; a transparent one (an icon) has a see-through
// background, an opaque body and smooth edges between the two.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

#include "picture_file.h"
#include "pictures.h"

namespace {

using standin::Picture;

int usage() {
  std::cerr << "usage: vitrel_pictures write DIR\n"
               "       vitrel_pictures check FILE WIDTH HEIGHT opaque|transparent\n";
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
  for (const pictures::PictureFile& file : pictures::allPictures()) {
    const std::string problem = pictures::writeTiff((folder / file.fileName).string(), file.draw());
    if (!problem.empty()) {
      std::cerr << "vitrel_pictures: " << problem << "\n";
      return 1;
    }
  }
  return 0;
}

struct Census {
  bool severalColours = false;
  int transparent = 0;  // alpha 0
  int partial = 0;      // alpha strictly between 0 and 255
  int opaque = 0;       // alpha 255
};

Census countPixels(const Picture& picture) {
  Census census;
  const standin::Rgba first = picture.at(0, 0);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const standin::Rgba p = picture.at(x, y);
      census.severalColours = census.severalColours || !(p == first);
      ++(p.a == 0 ? census.transparent : p.a == 255 ? census.opaque : census.partial);
    }
  return census;
}

int check(const std::string& path, int width, int height, bool opaque) {
  const pictures::ReadResult read = pictures::readTiff(path);
  if (!read.picture) {
    std::cerr << path << ": " << read.error << "\n";
    return 1;
  }
  const Picture& picture = *read.picture;
  if (picture.width() != width || picture.height() != height) {
    std::cerr << path << ": " << picture.width() << " x " << picture.height() << ", expected " << width
              << " x " << height << "\n";
    return 1;
  }
  const Census census = countPixels(picture);
  std::string problem;
  if (!census.severalColours)
    problem = "one flat colour";
  else if (opaque && census.opaque != width * height)
    problem = "not opaque everywhere";
  else if (!opaque && (census.transparent == 0 || census.partial == 0 || census.opaque == 0))
    problem = "no transparent background, opaque body and smooth edges";
  if (!problem.empty()) {
    std::cerr << path << ": " << problem << "\n";
    return 1;
  }
  std::cout << path << ": " << width << " x " << height << " RGBA, " << (opaque ? "opaque" : "transparent")
            << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "write" && argc == 3) return writeAll(argv[2]);
  int width = 0, height = 0;
  if (mode == "check" && argc == 6 && parseSize(argv[3], width) && parseSize(argv[4], height)) {
    const std::string_view alpha = argv[5];
    if (alpha == "opaque" || alpha == "transparent") return check(argv[2], width, height, alpha == "opaque");
  }
  return usage();
}
