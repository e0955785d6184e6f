#include "cli/commands.h"

#include <iostream>

int main(int argc, char* argv[]) {
    // Dumps write megabytes: the C++ streams need not keep in step with C's stdio.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return roomwright::runCli(arguments, std::cout, std::cerr);
}
