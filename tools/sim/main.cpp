// vornela-sim: Vornela's core on virtual time, driven by a script on standard input; what
// happens comes out as JSON lines. Exit status 2 on a malformed line.
#include "SimCommand.h"
#include "SimWorld.h"

#include <iostream>
#include <string>

int main() {
    std::ios::sync_with_stdio(false);
    vornela::sim::SimWorld world(std::cout);
    std::string text;
    int number = 0;
    while (std::getline(std::cin, text)) {
        ++number;
        try {
            if (const auto command = vornela::sim::parseScriptLine(text, number))
                world.run(*command);
        } catch (const vornela::sim::ScriptError& error) {
            std::cout.flush();
            std::cerr << "vornela-sim: line " << number << ": " << error.what() << '\n';
            return 2;
        }
    }
    std::cout.flush();
    return 0;
}
