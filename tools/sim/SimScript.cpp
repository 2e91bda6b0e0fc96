#include "SimScript.h"

#include "SimLine.h"
#include "SimWorld.h"

#include <istream>
#include <ostream>
#include <string>

namespace vornela::sim {

int runScript(std::istream& script, std::ostream& out, std::ostream& errors) {
    SimWorld world(out);
    std::string text;
    int number = 0;
    while (std::getline(script, text)) {
        ++number;
        const auto line = SimLine::parse(text, number);
        if (!line)
            continue;
        try {
            world.run(*line);
        } catch (const ScriptError& error) {
            out.flush();
            errors << "vornela-sim: line " << number << ": " << error.what() << '\n';
            return 2;
        }
    }
    out.flush();
    return 0;
}

} // namespace vornela::sim
