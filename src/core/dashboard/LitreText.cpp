#include "core/dashboard/LitreText.h"

#include <charconv>

namespace vornela {

std::string oneDecimal(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    return std::string(buffer, result.ptr);
}

std::string litres(int ml) {
    if (ml % 1000 == 0)
        return std::to_string(ml / 1000);
    return oneDecimal(ml / 1000.0);
}

} // namespace vornela
