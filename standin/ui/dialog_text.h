// Text in dialog pictures: its size, how wide it is, where its baseline
// goes, and how a text too wide for its place is cut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "draw/picture.h"

namespace standin {

// The em size of every text of a dialog, in pixels.
inline constexpr float kDialogTextSize = 13.0f;
// The widest a single text may be; a longer one is cut and ends in "...".
inline constexpr int32_t kMaxDialogTextWidth = 1200;

// The width of `text` in whole pixels (regular face, rounded up).
int64_t DialogTextWidth(std::string_view text);

// The baseline, on a whole pixel, that centres a line of dialog text
// vertically in `line`.
float TextBaseline(PixelRect line);

// `text` as it fits `max_width` pixels: whole, or cut at a character and
// ended with "...".
std::string FitText(std::string_view text, int32_t max_width);

}  // namespace standin
