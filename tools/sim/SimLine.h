#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vornela::sim {

// One script line split into its command, its words and the raw rest after the command word
// (JSON arguments may contain spaces).
struct SimLine {
    int number = 0;
    std::string command;
    std::vector<std::string> words; // after the command
    std::string rest;               // everything after the command word, trimmed

    // Strips a comment that starts with '#' outside a JSON string, and surrounding blanks.
    static std::optional<SimLine> parse(const std::string& text, int number);
};

} // namespace vornela::sim
