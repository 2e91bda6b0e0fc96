#include "core/dashboard/ButtonLook.h"

namespace vornela {

namespace {

constexpr double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

constexpr double disabledOpacity = 0.45;

} // namespace

ButtonLook ButtonLook::chrome(double hover, double press, bool scalesOnHover, bool rotatesIconOnHover,
                              bool reduceMotion) {
    ButtonLook look;
    look.fillOpacity = mix(0.10, 0.14, hover);
    look.borderOpacity = mix(0.08, 0.14, hover);
    look.labelOpacity = mix(0.88, 1.0, hover) * mix(1.0, 0.88, press);
    if (!reduceMotion) {
        look.scale = scalesOnHover ? mix(1.0, 1.04, hover) : 1;
        // The press style scales only the buttons that also grow on hover.
        look.labelScale = scalesOnHover ? mix(1.0, 0.93, press) : 1;
        look.labelRotation = rotatesIconOnHover ? 14.0 * hover : 0;
    }
    return look;
}

ButtonLook ButtonLook::ghost(double hover, double press, bool reduceMotion) {
    ButtonLook look;
    look.labelOpacity = mix(0.42, 0.88, hover);
    look.opacity = mix(1.0, 0.7, press);
    if (!reduceMotion)
        look.scale = mix(1.0, 0.92, press);
    return look;
}

ButtonLook ButtonLook::step(double press, bool enabled, bool reduceMotion) {
    ButtonLook look;
    look.opacity = enabled ? mix(1.0, 0.86, press) : disabledOpacity;
    look.fillOpacity = enabled ? 0.28 : 0.14;
    if (!reduceMotion && enabled)
        look.scale = mix(1.0, 0.96, press);
    return look;
}

ButtonLook ButtonLook::track(double press, bool enabled, bool reduceMotion) {
    ButtonLook look;
    look.opacity = enabled ? mix(1.0, 0.86, press) : disabledOpacity;
    look.fillOpacity = 0.28;
    if (!reduceMotion && enabled)
        look.scale = mix(1.0, 0.96, press);
    return look;
}

} // namespace vornela
