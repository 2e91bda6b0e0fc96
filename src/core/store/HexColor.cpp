#include "core/store/HexColor.h"

#include <cstdint>

namespace vornela {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<Color> parseHexColor(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);

    std::uint32_t rgb = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '#')
            continue;
        const int digit = hexDigit(c);
        if (digit < 0 || ++digits > 6)
            return std::nullopt;
        rgb = (rgb << 4) | static_cast<std::uint32_t>(digit);
    }
    if (digits != 6)
        return std::nullopt;
    return Color::rgb(((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0);
}

} // namespace vornela
