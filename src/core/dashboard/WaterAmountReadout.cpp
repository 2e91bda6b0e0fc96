#include "core/dashboard/WaterAmountReadout.h"

#include "core/dashboard/LitreText.h"

#include <algorithm>

namespace vornela {

std::string WaterAmountReadout::number(int ml) {
    if (ml < 1000)
        return std::to_string(ml);
    return oneDecimal(ml / 1000.0);
}

std::string WaterAmountReadout::unit(int ml) {
    return ml < 1000 ? "ml" : "L";
}

double WaterAmountReadout::columnWidth(char character) {
    return character == '.' ? decimalWidth : digitWidth;
}

double WaterAmountReadout::boxWidth(int maxAmountML) {
    double width = unitWidth;
    for (char c : number(maxAmountML))
        width += columnWidth(c);
    return width;
}

WaterAmountReadout::WaterAmountReadout(int ml) : amount_(ml) {
    for (char c : number(ml))
        slots_.emplace_back(c);
}

void WaterAmountReadout::setAmount(int ml, double now, bool reduceMotion) {
    if (ml == amount_)
        return;
    amount_ = ml;
    // Columns are identified by their position: a longer number gains columns at the end, which
    // simply appear; a shorter one loses them.
    const std::string text = number(ml);
    slots_.resize(std::min(slots_.size(), text.size()), DigitRoll(' '));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i < slots_.size())
            slots_[i].setCharacter(text[i], now, reduceMotion);
        else
            slots_.emplace_back(text[i]);
    }
}

std::vector<WaterAmountReadout::Column> WaterAmountReadout::columnsAt(double now) const {
    std::vector<Column> columns;
    double x = 0;
    for (const DigitRoll& slot : slots_) {
        const double width = columnWidth(slot.character());
        columns.push_back({x, width, slot.copiesAt(now)});
        x += width;
    }
    return columns;
}

double WaterAmountReadout::unitX() const {
    double x = 0;
    for (const DigitRoll& slot : slots_)
        x += columnWidth(slot.character());
    return x;
}

bool WaterAmountReadout::isRunningAt(double now) const {
    return std::any_of(slots_.begin(), slots_.end(),
                       [now](const DigitRoll& s) { return s.isRunningAt(now); });
}

} // namespace vornela
