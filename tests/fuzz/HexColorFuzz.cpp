// The colour a person types into the preferences file: any text gives a colour or none, and a
// colour only for six hexadecimal digits between white space and '#'s.
#include "core/store/HexColor.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The six digits the text stands for, or an empty string.
std::string expectedDigits(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    std::string digits;
    for (char c : text) {
        if (c == '#')
            continue;
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex)
            return {};
        digits += c;
    }
    return digits.size() == 6 ? digits : std::string();
}

double channel(const std::string& digits, std::size_t at) {
    return static_cast<double>(std::stoul(digits.substr(at, 2), nullptr, 16)) / 255.0;
}

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "parseHexColor: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto color = vornela::parseHexColor(text);
    const std::string digits = expectedDigits(text);
    if (color.has_value() != !digits.empty())
        broken(color ? "a colour from text that is not six hex digits" : "no colour from six hex digits");
    if (color && *color != vornela::Color::rgb(channel(digits, 0), channel(digits, 2), channel(digits, 4)))
        broken("the colour differs from its digits");
    return 0;
}
