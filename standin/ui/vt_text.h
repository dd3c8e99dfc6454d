// Texts across the host table: a VtText from the plug-in read safely, and a
// host string lent out as a VtText.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "vitrel_host_abi.h"

namespace standin {

// The text's bytes; empty for a null pointer or a length of zero or less.
inline std::string_view TextView(VtText text) {
  if (text.data == nullptr || text.length <= 0) return {};
  return {text.data, static_cast<std::size_t>(text.length)};
}

// Borrows `text` for the plug-in; a text longer than the table can say is
// cut at the largest length it can.
inline VtText LendText(std::string_view text) {
  constexpr std::size_t kMax = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
  return VtText{text.data(), static_cast<int32_t>(text.size() < kMax ? text.size() : kMax)};
}

}  // namespace standin
