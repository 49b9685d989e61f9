#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vantelo::cli {

struct Invocation;

// An option of a command. Options without a value name are switches.
struct OptionSpec {
    std::string_view Name = {}; // "--sorted-by"
    std::string_view ValueName; // "COLUMN"; empty for a switch
    bool Required = false;
};

// What the parser, the help and the dispatcher know of one command.
struct CommandSpec {
    std::string_view Name;
    std::string_view Summary;  // one line in the command list
    std::string_view Synopsis; // what follows "vantelo NAME" in its usage line
    std::string_view Help;     // the body of "vantelo NAME --help"
    // Names of the arguments that are not options, in order; the last one
    // may repeat, and is then required at least once.
    std::vector<std::string_view> Operands = {};
    bool LastOperandRepeats = false;
    std::vector<OptionSpec> Options = {};
    void (*Run)(const Invocation& invocation, std::ostream& out) = nullptr;
};

// One parsed command line.
struct Invocation {
    const CommandSpec* Command = nullptr;
    std::vector<std::string> Operands;
    // The command's options by name; a switch maps to "".
    std::map<std::string, std::string, std::less<>> Options;
    std::string CodePage; // empty: the default code page
    bool Help = false;
    bool Version = false;

    bool Has(std::string_view option) const { return Options.find(option) != Options.end(); }
    // The option's value, "" when it was not given.
    const std::string& Value(std::string_view option) const;
};

// The command line does not say what to do. Command is the command whose
// usage the user should see, or null for the tool's.
class UsageError : public std::runtime_error {
public:
    UsageError(const std::string& message, const CommandSpec* command)
        : std::runtime_error(message), Command(command) {}
    const CommandSpec* Command;
};

// The global options (--code-page, --help, --version) are accepted before
// and after the command, the command's own after it; "--" makes every later
// argument an operand. --help and --version end the parsing: what follows
// is not checked. Raises UsageError.
Invocation ParseArguments(const std::vector<std::string>& parameters,
                          std::span<const CommandSpec> commands);

} // namespace vantelo::cli
