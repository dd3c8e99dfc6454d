#include "ui/dialog_text.h"

#include <cmath>
#include <vector>

#include "draw/typeface.h"
#include "draw/utf8.h"

namespace standin {
namespace {

// Texts are cut to this many bytes before they are measured, so that a huge
// caption costs no more than a long one.
constexpr std::size_t kLongestText = 4096;
constexpr std::string_view kEllipsis = "\u2026";

}  // namespace

int64_t DialogTextWidth(std::string_view text) {
  return static_cast<int64_t>(std::ceil(Typeface::Sans().Width(text, kDialogTextSize)));
}

float TextBaseline(PixelRect line) {
  const Typeface& face = Typeface::Sans();
  const float ascent = face.Ascent(kDialogTextSize);
  const float descent = face.Descent(kDialogTextSize);
  return static_cast<float>(line.y) +
         std::round((static_cast<float>(line.height) - ascent - descent) / 2 + ascent);
}

std::string FitText(std::string_view text, int32_t max_width) {
  const bool too_long = text.size() > kLongestText;
  text = WholeCharactersWithin(text, kLongestText);
  if (!too_long && DialogTextWidth(text) <= max_width) return std::string(text);
  // Where each character ends, then the most characters that fit with "...".
  std::vector<std::size_t> ends;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ends.push_back(i);
  }
  auto cut = [&](std::size_t characters) {
    return std::string(text.substr(0, characters == 0 ? 0 : ends[characters - 1])) + std::string(kEllipsis);
  };
  std::size_t fits = 0, fails = ends.size() + 1;
  while (fails - fits > 1) {
    const std::size_t middle = fits + (fails - fits) / 2;
    (DialogTextWidth(cut(middle)) <= max_width ? fits : fails) = middle;
  }
  return cut(fits);
}

}  // namespace standin
