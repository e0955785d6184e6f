#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace roomwright {

// roomwright-cli: runs one command line (without the program name) and returns the exit
// code. Output goes to `out`, errors to `err`.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace roomwright
