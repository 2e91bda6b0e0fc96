#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace vornela {

using IntMap = std::map<std::string, int>;

// A typed preference: its name in the file and the value an unset or ill-typed entry reads as.
// Value types: bool, int, double, std::string, std::vector<double>, IntMap.
template <class T> struct PreferenceKey {
    std::string name;
    T defaultValue;
};

// JSON typing rules: an int accepts an integral number (6 or 6.0) within range, a double any
// number, a bool only true/false, a string only a string, a list only an array of numbers and a
// map only an object of integral numbers. Anything else gives no value.
template <class T> std::optional<T> decodePreference(const nlohmann::json& value);
template <class T> nlohmann::json encodePreference(const T& value);

} // namespace vornela
