#include "core/store/PreferenceKey.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace vornela {

using nlohmann::json;

namespace {

// 6 and 6.0 are the same count to a person editing the file; 6.5 or 1e12 are not counts.
std::optional<int> integralValue(const json& value) {
    constexpr auto lowest = std::numeric_limits<int>::min();
    constexpr auto highest = std::numeric_limits<int>::max();
    if (value.is_number_unsigned()) {
        const auto n = value.get<std::uint64_t>();
        if (n > static_cast<std::uint64_t>(highest))
            return std::nullopt;
        return static_cast<int>(n);
    }
    if (value.is_number_integer()) {
        const auto n = value.get<std::int64_t>();
        if (n < lowest || n > highest)
            return std::nullopt;
        return static_cast<int>(n);
    }
    if (value.is_number_float()) {
        const double n = value.get<double>();
        if (!std::isfinite(n) || std::trunc(n) != n || n < lowest || n > highest)
            return std::nullopt;
        return static_cast<int>(n);
    }
    return std::nullopt;
}

} // namespace

template <class T> std::optional<T> decodePreference(const json& value) {
    if constexpr (std::is_same_v<T, bool>) {
        if (value.is_boolean())
            return value.get<bool>();
        return std::nullopt;
    } else if constexpr (std::is_same_v<T, int>) {
        return integralValue(value);
    } else if constexpr (std::is_same_v<T, double>) {
        if (value.is_number())
            return value.get<double>();
        return std::nullopt;
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (value.is_string())
            return value.get<std::string>();
        return std::nullopt;
    } else if constexpr (std::is_same_v<T, std::vector<double>>) {
        if (!value.is_array())
            return std::nullopt;
        std::vector<double> list;
        list.reserve(value.size());
        for (const auto& element : value) {
            if (!element.is_number())
                return std::nullopt;
            list.push_back(element.get<double>());
        }
        return list;
    } else {
        static_assert(std::is_same_v<T, IntMap>);
        if (!value.is_object())
            return std::nullopt;
        IntMap map;
        for (const auto& [name, element] : value.items()) {
            const auto n = integralValue(element);
            if (!n)
                return std::nullopt;
            map.emplace(name, *n);
        }
        return map;
    }
}

// Native JSON types, so a person reading the file sees each key's type: a double stays a float
// (6.0, not 6) and a list of doubles stays a list of floats.
template <class T> json encodePreference(const T& value) {
    if constexpr (std::is_same_v<T, std::vector<double>>) {
        json list = json::array();
        for (double element : value)
            list.push_back(json(element));
        return list;
    } else if constexpr (std::is_same_v<T, IntMap>) {
        json map = json::object();
        for (const auto& [name, element] : value)
            map[name] = element;
        return map;
    } else {
        return json(value);
    }
}

template std::optional<bool> decodePreference<bool>(const json&);
template std::optional<int> decodePreference<int>(const json&);
template std::optional<double> decodePreference<double>(const json&);
template std::optional<std::string> decodePreference<std::string>(const json&);
template std::optional<std::vector<double>> decodePreference<std::vector<double>>(const json&);
template std::optional<IntMap> decodePreference<IntMap>(const json&);

template json encodePreference<bool>(const bool&);
template json encodePreference<int>(const int&);
template json encodePreference<double>(const double&);
template json encodePreference<std::string>(const std::string&);
template json encodePreference<std::vector<double>>(const std::vector<double>&);
template json encodePreference<IntMap>(const IntMap&);

} // namespace vornela
