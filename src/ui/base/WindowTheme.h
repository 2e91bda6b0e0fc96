#pragma once

#include "core/base/Signal.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace vornela {

struct SystemPreferences;

// The look of Vornela's ordinary windows (settings, onboarding, the share preview): Qt's Fusion
// style with a light or dark palette matching the desktop's scheme, and Inter at pixel sizes.
// The notch surfaces draw their own colours and do not use it.
QPalette windowPalette(bool dark);
// The window font: Inter, 13 pixels.
QFont windowFont();
// Whether a palette is the dark one (its window colour is dark).
bool isDarkPalette(const QPalette& palette);
// Text of less weight (footers, the version line), still readable on the window colour.
QColor secondaryTextColor(const QPalette& palette);
// A colour at an opacity, for hover and separator tints.
QColor withOpacity(QColor color, double opacity);

// Sets the style, font and palette for the whole application and keeps the palette on the
// desktop's scheme: open windows repaint when it changes.
class WindowTheme {
public:
    explicit WindowTheme(SystemPreferences& system);
    WindowTheme(const WindowTheme&) = delete;
    WindowTheme& operator=(const WindowTheme&) = delete;

    bool isDark() const { return dark_; }
    // One window (and its children) on a given scheme, whatever the desktop says: offscreen
    // pictures and tests. Sets the Fusion style for the application if it is not set yet.
    static void apply(QWidget& window, bool dark);

private:
    void follow(bool dark);

    bool dark_ = true;
    Subscription appearance_;
};

} // namespace vornela
