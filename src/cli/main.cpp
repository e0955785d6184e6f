#include "cli/commands.h"
#include "store/disk/platform.h"

#include <iostream>

int main(int argc, char* argv[]) {
    // Dumps write megabytes: the C++ streams need not keep in step with C's stdio.
    std::ios::sync_with_stdio(false);
    return roomwright::runCli(roomwright::platform::programArguments(argc, argv), std::cout,
                              std::cerr);
}
