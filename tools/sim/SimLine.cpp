#include "SimLine.h"

#include <sstream>

namespace vornela::sim {

namespace {

std::string stripComment(const std::string& text) {
    bool inString = false;
    bool escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '#') {
            return text.substr(0, i);
        }
    }
    return text;
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<SimLine> SimLine::parse(const std::string& text, int number) {
    const std::string content = trim(stripComment(text));
    if (content.empty())
        return std::nullopt;
    SimLine line;
    line.number = number;
    std::istringstream words(content);
    words >> line.command;
    for (std::string word; words >> word;)
        line.words.push_back(word);
    line.rest = trim(content.substr(line.command.size()));
    return line;
}

} // namespace vornela::sim
