#include "core/dashboard/TextTransition.h"

#include <algorithm>
#include <utility>

namespace vornela {

TextTransition::TextTransition(std::string text) : text_(std::move(text)), previous_(text_) {}

void TextTransition::change(std::string text, double now, double duration, CubicBezier curve) {
    if (text == text_)
        return;
    previous_ = std::exchange(text_, std::move(text));
    progress_ = TimedCurve{0, 1, now, std::max(duration, 0.0), curve};
}

std::vector<TextTransition::Glyph> TextTransition::glyphsAt(double now) const {
    const auto to = characters(text_);
    const double p = progressAt(now);
    std::vector<Glyph> glyphs;
    if (p >= 1) {
        for (std::size_t i = 0; i < to.size(); ++i)
            glyphs.push_back({to[i], i, false, 0, 1});
        return glyphs;
    }
    const auto from = characters(previous_);
    for (std::size_t i = 0; i < std::max(from.size(), to.size()); ++i) {
        const bool hasOld = i < from.size();
        const bool hasNew = i < to.size();
        if (hasOld && hasNew && from[i] == to[i]) {
            glyphs.push_back({to[i], i, false, 0, 1});
            continue;
        }
        if (hasOld)
            glyphs.push_back({from[i], i, true, -p, 1 - p});
        if (hasNew)
            glyphs.push_back({to[i], i, false, 1 - p, p});
    }
    return glyphs;
}

std::vector<std::string> TextTransition::characters(const std::string& utf8) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        length = std::min(length, utf8.size() - i);
        result.push_back(utf8.substr(i, length));
        i += length;
    }
    return result;
}

} // namespace vornela
