#include "core/store/PreferencesText.h"

#include <utility>

namespace vornela {

using nlohmann::json;

namespace {

// Looks at the raw text before parsing, so a too-deep value is never built: valid JSON has
// brackets only outside strings.
bool textNestsDeeperThan(std::string_view text, int limit) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '[' || c == '{')
            depth += 1;
        else if (c == ']' || c == '}')
            depth -= 1;
        if (depth > limit)
            return true;
    }
    return false;
}

std::string compact(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

void appendIndented(std::string& text, const json& value, int level) {
    constexpr int pretty = 2; // levels printed one entry per line
    if (level >= pretty || !value.is_structured() || value.empty()) {
        text += compact(value);
        return;
    }
    const std::string inner(static_cast<std::size_t>(2 * (level + 1)), ' ');
    text += value.is_object() ? "{\n" : "[\n";
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        if (!first)
            text += ",\n";
        first = false;
        text += inner;
        if (value.is_object()) {
            text += compact(json(it.key()));
            text += ": ";
        }
        appendIndented(text, *it, level + 1);
    }
    text += '\n';
    text.append(static_cast<std::size_t>(2 * level), ' ');
    text += value.is_object() ? '}' : ']';
}

} // namespace

Result<json> parsePreferencesText(std::string_view text) {
    if (textNestsDeeperThan(text, maximumPreferencesDepth))
        return Failure{"nests values more than " + std::to_string(maximumPreferencesDepth) + " levels deep"};
    json values = json::parse(text, nullptr, false);
    if (values.is_discarded())
        return Failure{"is not valid JSON"};
    if (!values.is_object())
        return Failure{"does not hold a JSON object"};
    return values;
}

bool nestsDeeperThan(const json& value, int limit) {
    if (!value.is_structured())
        return false;
    if (limit <= 0)
        return true;
    for (const auto& element : value) {
        if (nestsDeeperThan(element, limit - 1))
            return true;
    }
    return false;
}

std::string formatPreferencesText(const json& values) {
    std::string text;
    appendIndented(text, values, 0);
    text += '\n';
    return text;
}

} // namespace vornela
