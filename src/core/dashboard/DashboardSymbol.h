#pragma once

namespace vornela {

// The glyphs the dashboard and the ruler show, by role; the interface layer picks the artwork.
enum class DashboardSymbol {
    activity,    // the heat map button: a grid
    settings,    // a gear
    waterDrop,   // the Water chip
    checkCircle, // the Breaks chip
    figureStand, // the Move chip
    meal,        // the Lunch chip
    plus,        // "Track water", the ruler's plus step
    checkmark,   // "Mark lunch done"
    minus,       // the ruler's minus step
    back,        // the activity page's way back: a chevron to the left
    share,       // the activity page's share: a square with an arrow out of it
};

} // namespace vornela
