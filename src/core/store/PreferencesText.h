#pragma once

#include "core/base/Result.h"

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace vornela {

// Arrays and objects nested in each other, the top object counting as one. Vornela writes two;
// a deeper file is refused, since copying or printing a value recurses once per level.
inline constexpr int maximumPreferencesDepth = 64;

// The preferences object in a file's text, or why there is none: not JSON (numbers out of range
// and bad UTF-8 included), nested deeper than maximumPreferencesDepth, or not an object.
// Never throws.
Result<nlohmann::json> parsePreferencesText(std::string_view text);

// True when `value` nests arrays and objects more than `limit` deep (a scalar is 0 deep).
bool nestsDeeperThan(const nlohmann::json& value, int limit);

// The file's text for `values`: one key per line and the entries of a list or map on lines of
// their own, as a person editing it expects; anything nested deeper stays on one line, so the
// text grows linearly with the values however deep they go.
std::string formatPreferencesText(const nlohmann::json& values);

} // namespace vornela
