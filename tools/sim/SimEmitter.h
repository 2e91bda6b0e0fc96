#pragma once

#include "core/base/Calendar.h"
#include "core/base/Clock.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>

namespace vornela::sim {

using OrderedJson = nlohmann::ordered_json;

// Writes one JSON object per line: "t" (local wall time, milliseconds) and "ev" first.
class SimEmitter {
public:
    SimEmitter(std::ostream& out, const Calendar& calendar) : out_(out), calendar_(calendar) {}

    void setClock(const Clock* clock) { clock_ = clock; }
    void emit(const std::string& event, const OrderedJson& fields = OrderedJson::object());
    std::string localTime(double wall) const;

private:
    std::ostream& out_;
    const Calendar& calendar_;
    const Clock* clock_ = nullptr;
};

} // namespace vornela::sim
