#include "SimEmitter.h"

#include <cmath>
#include <cstdio>

namespace vornela::sim {

std::string SimEmitter::localTime(double wall) const {
    // Round to the millisecond first so 59.9996 s prints as the next second, not as .1000.
    const double millis = std::round(wall * 1000);
    const double seconds = std::floor(millis / 1000);
    const int fraction = static_cast<int>(millis - seconds * 1000);
    const auto c = calendar_.components(seconds);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", c.year, c.month, c.day, c.hour,
                  c.minute, static_cast<int>(c.second), fraction);
    return buffer;
}

void SimEmitter::emit(const std::string& event, const OrderedJson& fields) {
    OrderedJson line = OrderedJson::object();
    line["t"] = clock_ ? localTime(clock_->wallNow()) : std::string();
    line["ev"] = event;
    for (const auto& [key, value] : fields.items())
        line[key] = value;
    out_ << line.dump() << '\n';
}

} // namespace vornela::sim
