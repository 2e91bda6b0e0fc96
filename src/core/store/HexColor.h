#pragma once

#include "core/base/Color.h"

#include <optional>
#include <string_view>

namespace vornela {

// The notch background when "backgroundColorHex" holds no colour.
inline constexpr Color defaultBackgroundColor = {0.02, 0.02, 0.024, 1};

// "#RRGGBB" as typed or pasted by a person: white space around it and any "#" are ignored,
// either case is fine. Anything but exactly six hexadecimal digits gives no colour.
std::optional<Color> parseHexColor(std::string_view text);

} // namespace vornela
