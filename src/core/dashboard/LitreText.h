#pragma once

#include <string>

namespace vornela {

// Water amounts as text. Always with a decimal point, whatever the user's locale: the figures
// are laid out in fixed-width columns.

// One decimal, rounded to nearest: 1.25 L of 1250 ml reads "1.2", 1300 ml "1.3".
std::string oneDecimal(double value);

// Litres of `ml`: a whole number without decimals ("0", "2"), otherwise one decimal ("0.5", "2.5").
std::string litres(int ml);

} // namespace vornela
