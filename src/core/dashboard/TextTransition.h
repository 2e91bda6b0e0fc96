#pragma once

#include "core/base/CubicBezier.h"

#include <string>
#include <vector>

namespace vornela {

// A text that changes to another one over a curve, read at any instant: the cross-fades of the
// tier name and subtitle and the rolling figures of the chips.
class TextTransition {
public:
    // One character of a rolling figure. `offset` is in units of the roll distance, positive
    // downwards: the new character rises from below (1 → 0) while the old one leaves upwards
    // (0 → −1), as a counter counting up.
    struct Glyph {
        std::string character; // one UTF-8 code point
        std::size_t slot = 0;  // its position in its text
        bool outgoing = false; // a character of the previous text
        double offset = 0;
        double opacity = 1;
        friend bool operator==(const Glyph&, const Glyph&) = default;
    };

    TextTransition() = default;
    explicit TextTransition(std::string text);

    // Moves to `text` from `now`; a duration of 0 replaces it at once. The same text again
    // changes nothing.
    void change(std::string text, double now, double duration, CubicBezier curve);

    const std::string& text() const { return text_; }
    const std::string& previous() const { return previous_; }
    // 0 at the change, 1 once the new text has fully arrived.
    double progressAt(double now) const { return progress_.valueAt(now); }
    bool isRunningAt(double now) const { return progress_.isRunningAt(now); }

    // The characters of a roll at `now`: unchanged positions stand still, changed ones roll.
    std::vector<Glyph> glyphsAt(double now) const;

    // The code points of a UTF-8 text, each as its own string.
    static std::vector<std::string> characters(const std::string& utf8);

private:
    std::string text_;
    std::string previous_;
    TimedCurve progress_{1, 1, 0, 0, CubicBezier::valueChange()};
};

} // namespace vornela
