#pragma once

#include "core/base/Geometry.h"

#include <QSize>
#include <QString>

#include <optional>

namespace vornela {

// What a camera notch takes from the top of one screen, in core coordinates (points, y up).
struct NotchInsets {
    double topInset = 0;
    Rect auxiliaryTopLeftArea;  // the menu-bar strip left of the camera housing
    Rect auxiliaryTopRightArea; // and right of it
    friend bool operator==(const NotchInsets&, const NotchInsets&) = default;
};

// Linux has no safe-area API, so a notch is reported only where one is known for certain: an
// Apple Silicon MacBook with a notch under Asahi Linux, driving its panel in the mode that
// includes the notch rows. Everything else (and anything unreadable) is "no notch".
class NotchDetector {
public:
    explicit NotchDetector(QString deviceTreeRoot = QStringLiteral("/proc/device-tree"));

    // The notch of a screen whose frame (core coordinates) is `frame`, `nativePixels` tall and
    // wide in device pixels at `devicePixelRatio`; nullopt when it has none.
    std::optional<NotchInsets> notchFor(const Rect& frame, QSize nativePixels, double devicePixelRatio) const;

    // The machine's notched panel as read from the device tree, in device pixels.
    struct Panel {
        int fullHeight = 0;   // including the notch rows
        int notchHeight = 0;  // rows beside the camera housing
        int housingWidth = 0; // the camera housing
    };
    const std::optional<Panel>& panel() const { return panel_; }

private:
    std::optional<Panel> panel_;
};

} // namespace vornela
