#include "cli/arguments.h"

#include <algorithm>
#include <optional>

namespace vantelo::cli {

namespace {

constexpr OptionSpec CodePageOption{"--code-page", "NAME"};

const CommandSpec* findCommand(std::span<const CommandSpec> commands, std::string_view name) {
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [name](const CommandSpec& c) { return c.Name == name; });
    return found == commands.end() ? nullptr : &*found;
}

const OptionSpec* findOption(const CommandSpec* command, std::string_view name) {
    if (name == CodePageOption.Name)
        return &CodePageOption;
    if (!command)
        return nullptr;
    const auto found = std::find_if(command->Options.begin(), command->Options.end(),
                                    [name](const OptionSpec& o) { return o.Name == name; });
    return found == command->Options.end() ? nullptr : &*found;
}

bool looksLikeOption(const std::string& p) {
    return p.size() >= 2 && p[0] == '-';
}

void checkComplete(const Invocation& invocation) {
    const CommandSpec& command = *invocation.Command;
    const auto& names = command.Operands;
    const size_t given = invocation.Operands.size();
    if (given < names.size())
        throw UsageError("missing " + std::string(names[given]), &command);
    if (given > names.size() && !command.LastOperandRepeats)
        throw UsageError("unexpected argument '" + invocation.Operands[names.size()] + "'",
                         &command);
    for (const auto& option : command.Options)
        if (option.Required && !invocation.Has(option.Name))
            throw UsageError("missing option " + std::string(option.Name) + " " +
                                 std::string(option.ValueName),
                             &command);
}

} // namespace

const std::string& Invocation::Value(std::string_view option) const {
    static const std::string none;
    const auto found = Options.find(option);
    return found == Options.end() ? none : found->second;
}

Invocation ParseArguments(const std::vector<std::string>& parameters,
                          std::span<const CommandSpec> commands) {
    Invocation invocation;
    bool optionsEnded = false;
    // "--help convert" and "help convert" ask for the command's help.
    auto helpFor = [&](size_t next) {
        invocation.Help = true;
        if (!invocation.Command && next < parameters.size())
            invocation.Command = findCommand(commands, parameters[next]);
        return invocation;
    };

    for (size_t i = 0; i < parameters.size(); ++i) {
        const std::string& p = parameters[i];
        if (!optionsEnded && p == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !looksLikeOption(p)) {
            if (invocation.Command) {
                invocation.Operands.push_back(p);
            } else if (p == "help") {
                return helpFor(i + 1);
            } else {
                invocation.Command = findCommand(commands, p);
                if (!invocation.Command)
                    throw UsageError("unknown command '" + p + "'", nullptr);
            }
            continue;
        }

        std::string name = p;
        std::optional<std::string> value;
        if (p.starts_with("--"))
            if (const auto equals = p.find('='); equals != std::string::npos) {
                name = p.substr(0, equals);
                value = p.substr(equals + 1);
            }
        if (name == "--help" || name == "-h")
            return helpFor(i + 1);
        if (name == "--version") {
            invocation.Version = true;
            return invocation;
        }
        const OptionSpec* option = findOption(invocation.Command, name);
        if (!option)
            throw UsageError("unknown option '" + name + "'", invocation.Command);
        if (option->ValueName.empty()) {
            if (value)
                throw UsageError("option " + name + " takes no value", invocation.Command);
            invocation.Options[name] = "";
            continue;
        }
        if (!value) {
            if (i + 1 >= parameters.size())
                throw UsageError("option " + name + " needs a value (" +
                                     std::string(option->ValueName) + ")",
                                 invocation.Command);
            value = parameters[++i];
        }
        if (option == &CodePageOption)
            invocation.CodePage = *value;
        else
            invocation.Options[name] = *value;
    }

    if (!invocation.Command)
        throw UsageError("missing command", nullptr);
    checkComplete(invocation);
    return invocation;
}

} // namespace vantelo::cli
