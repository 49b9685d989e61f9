#pragma once

#include <span>

#include "cli/arguments.h"

namespace vantelo::cli {

// The tool's commands, in the order the help lists them. Each one reads
// its files, calls the dictionary's operations and prints; failures are
// raised (UsageError for a command line that cannot work, anything else
// for a failed operation).
std::span<const CommandSpec> Commands();

} // namespace vantelo::cli
