#include "ui/user_values.h"

namespace standin {

std::optional<Vec3> ParseColor(std::string_view text) {
  double parts[3] = {};
  for (int i = 0; i < 3; ++i) {
    std::size_t comma = i < 2 ? text.find(',') : text.size();
    if (comma == std::string_view::npos) return std::nullopt;
    std::optional<double> part = ParseNumber<double>(text.substr(0, comma));
    if (!part) return std::nullopt;
    parts[i] = *part;
    text.remove_prefix(i < 2 ? comma + 1 : comma);
  }
  return Vec3{parts[0], parts[1], parts[2]};
}

}  // namespace standin
