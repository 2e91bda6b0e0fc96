#pragma once

#include "core/base/TextMeasurer.h"

#include <QFont>

namespace vornela {

// The interface face everywhere: Inter at pixel sizes, so text is the same size on every
// screen whatever its DPI. Sizes are points of the layout, which are Qt's logical pixels.
QFont interfaceFont(double pixelSize, FontWeight weight);

// Makes sure Inter is known to Qt, adding the system's copy when fontconfig did not list it.
// Returns false when no Inter can be found (text then falls back to the default sans face).
bool ensureInterfaceFont();

} // namespace vornela
