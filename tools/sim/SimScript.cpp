#include "SimScript.h"

#include "SimCommand.h"
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
        try {
            if (const auto command = parseScriptLine(text, number))
                world.run(*command);
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
