// vornela-sim: Vornela's core on virtual time, driven by a script on standard input; what
// happens comes out as JSON lines. Exit status 2 on a malformed line.
#include "SimScript.h"

#include <iostream>

int main() {
    std::ios::sync_with_stdio(false);
    return vornela::sim::runScript(std::cin, std::cout, std::cerr);
}
