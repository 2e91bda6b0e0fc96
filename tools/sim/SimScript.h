#pragma once

#include <iosfwd>

namespace vornela::sim {

// Runs a whole script as vornela-sim does: 0 after the last line, 2 after a malformed one (named
// on `errors`, nothing after it runs).
int runScript(std::istream& script, std::ostream& out, std::ostream& errors);

} // namespace vornela::sim
