#pragma once

namespace vornela {

// What a dashboard or ruler button looks like for given hover and press amounts (0...1).
// Opacities multiply what the button draws; scales are about the button's centre.
struct ButtonLook {
    double opacity = 1;     // the whole button
    double fillOpacity = 0; // of its background (white, or the accent for the ruler's buttons)
    double borderOpacity = 0;
    double labelOpacity = 1;
    double scale = 1;         // the whole button
    double labelScale = 1;    // the label only
    double labelRotation = 0; // degrees, clockwise

    // `NotchChromeButton` with its press style: the header buttons and the chips' quick actions.
    static ButtonLook chrome(double hover, double press, bool scalesOnHover, bool rotatesIconOnHover,
                             bool reduceMotion);
    // The ruler's minus and plus: water blue behind the glyph, dimmed when there is no step to take.
    static ButtonLook step(double press, bool enabled, bool reduceMotion);
    // The activity page's back and share: no background, the symbol brightens on hover, and a
    // press dims and shrinks it.
    static ButtonLook ghost(double hover, double press, bool reduceMotion);
    // "Track": dimmed while there is nothing to log.
    static ButtonLook track(double press, bool enabled, bool reduceMotion);

    friend bool operator==(const ButtonLook&, const ButtonLook&) = default;
};

} // namespace vornela
