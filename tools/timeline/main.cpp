// vornela-timeline: turns vornela-sim's JSON lines into a timeline a person can read.
#include <nlohmann/json.hpp>

#include <iostream>
#include <string>

namespace {

std::string clock(const nlohmann::json& line) {
    // "2026-03-02T08:45:00.000" → "Mon 2026-03-02 08:45:00"
    const std::string t = line.value("t", "");
    return t.size() >= 19 ? t.substr(0, 10) + " " + t.substr(11, 8) : t;
}

std::string text(const nlohmann::json& value) {
    return value.is_string() ? value.get<std::string>() : std::string("-");
}

} // namespace

int main() {
    std::string raw;
    std::string lastDay;
    while (std::getline(std::cin, raw)) {
        nlohmann::json line;
        try {
            line = nlohmann::json::parse(raw);
        } catch (const nlohmann::json::parse_error&) {
            continue;
        }
        const std::string event = line.value("ev", "");
        const std::string when = clock(line);
        if (when.size() >= 10 && when.substr(0, 10) != lastDay) {
            lastDay = when.substr(0, 10);
            std::cout << "\n" << lastDay << "\n";
        }
        const std::string time = when.size() > 11 ? when.substr(11) : when;
        if (event == "nudge") {
            std::cout << "  " << time << "  nudge     " << text(line["kind"]) << ": \""
                      << text(line["message"]) << "\"\n";
        } else if (event == "haptic") {
            std::cout << "  " << time << "  completed (haptic tap)\n";
        } else if (event == "balance") {
            std::cout << "  " << time << "  balance   " << line["score"] << " " << text(line["tier"]) << " — "
                      << text(line["subtitle"]) << "\n";
        } else if (event == "water") {
            std::cout << "  " << time << "  water     " << line["ml"] << " ml today\n";
        } else if (event == "state") {
            const std::string state = text(line["state"]);
            if (state != "nudge")
                std::cout << "  " << time << "  notch     " << state << "\n";
        } else if (event == "window") {
            std::cout << "  " << time << "  window    " << text(line["name"])
                      << (line.value("shown", false) ? " shown" : " closed") << "\n";
        }
    }
    return 0;
}
