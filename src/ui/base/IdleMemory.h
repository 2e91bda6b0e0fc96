#pragma once

namespace vornela {

// Gives back what drawing text left behind once nothing on screen needs it: the font engines Qt
// keeps for every face and size it has drawn (with their glyph caches and mapped font files), and
// the heap pages freed since. The next frame that draws text loads what it needs again.
void releaseIdleMemory();

} // namespace vornela
