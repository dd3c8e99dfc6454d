// Values as a user types them into a gadget: whole numbers, numbers and
// colours. Shared by the dialog host and the command line, so that both take
// the same texts.
#pragma once

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <type_traits>

#include "scene/object.h"

namespace standin {

// The whole of `text` as a number; nothing for anything else, or for a
// float that is not finite.
template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  if constexpr (std::is_floating_point_v<Number>) {
    if (!std::isfinite(value)) return std::nullopt;
  }
  return value;
}

// "R,G,B": three finite numbers.
std::optional<Vec3> ParseColor(std::string_view text);

}  // namespace standin
