#pragma once

#include "core/dashboard/DigitRoll.h"

#include <string>
#include <vector>

namespace vornela {

// The ruler's amount, "750 ml" or "1.3 L", as a row of rolling characters followed by the unit,
// left-aligned in a box whose width depends only on the largest amount, so nothing shifts while
// the number changes.
class WaterAmountReadout {
public:
    static constexpr double fontSize = 28;
    static constexpr double columnHeight = 36;
    static constexpr double digitWidth = 17;
    static constexpr double decimalWidth = 9;
    static constexpr double unitWidth = 40;

    // One character's column: where it starts and what it shows at an instant.
    struct Column {
        double x = 0;
        double width = 0;
        std::vector<DigitRoll::Copy> copies;
    };

    // Below 1000 ml the millilitres ("750"), from 1000 on the litres with one decimal ("1.3").
    static std::string number(int ml);
    static std::string unit(int ml);
    static double columnWidth(char character);
    // 40 points for the unit plus a column for each character of the largest amount.
    static double boxWidth(int maxAmountML);

    explicit WaterAmountReadout(int ml = 0);

    void setAmount(int ml, double now, bool reduceMotion);
    int amount() const { return amount_; }

    std::vector<Column> columnsAt(double now) const;
    // Where the unit's box starts: right after the number's columns.
    double unitX() const;
    bool isRunningAt(double now) const;

private:
    int amount_;
    std::vector<DigitRoll> slots_;
};

} // namespace vornela
