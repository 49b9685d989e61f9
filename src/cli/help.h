#pragma once

#include <iosfwd>
#include <span>

#include "cli/arguments.h"

namespace vantelo::cli {

// The short usage shown after a usage error: the command's usage line, or
// the tool's with its list of commands when command is null.
void PrintUsage(std::ostream& out, std::span<const CommandSpec> commands,
                const CommandSpec* command);

// The whole help: "vantelo --help" when command is null, else
// "vantelo COMMAND --help".
void PrintHelp(std::ostream& out, std::span<const CommandSpec> commands,
               const CommandSpec* command);

} // namespace vantelo::cli
