// vantelo: the command-line tool over the dictionary core.
#include <iostream>

#include "cli/arguments.h"
#include "cli/cli_commands.h"
#include "cli/help.h"
#include "dictionary/code_page.h"
#include "dictionary/command_line.h"

namespace {

using namespace vantelo::cli;

constexpr int Success = 0;
constexpr int Failure = 1;
constexpr int WrongUsage = 2;

int usageError(const UsageError& error, bool saySomething) {
    if (saySomething)
        std::cerr << "vantelo: " << error.what() << '\n';
    PrintUsage(std::cerr, Commands(), error.Command);
    return WrongUsage;
}

int failure(std::string_view message) {
    std::cerr << "vantelo: " << message << '\n';
    return Failure;
}

// Output that could not be written (a full disk, a closed pipe) is a
// failure, not a success with a truncated result.
int finish(std::ostream& out) {
    out.flush();
    return out ? Success : failure("cannot write to standard output");
}

int run(const std::vector<std::string>& parameters) {
    Invocation invocation;
    try {
        invocation = ParseArguments(parameters, Commands());
    } catch (const UsageError& error) {
        // Bare "vantelo" gets the usage without a complaint.
        return usageError(error, !parameters.empty());
    }
    if (invocation.Version) {
        std::cout << "vantelo " << VANTELO_VERSION << '\n';
        return finish(std::cout);
    }
    if (invocation.Help) {
        PrintHelp(std::cout, Commands(), invocation.Command);
        return finish(std::cout);
    }
    try {
        if (!invocation.CodePage.empty())
            vantelo::CodePage::SetCurrent(invocation.CodePage);
        invocation.Command->Run(invocation, std::cout);
        return finish(std::cout);
    } catch (const UsageError& error) {
        return usageError(error, true);
    } catch (const std::exception& error) {
        return failure(error.what());
    } catch (...) {
        return failure("unexpected failure");
    }
}

} // namespace

int main(int argc, char** argv) {
    vantelo::CommandLine::Set(argc, argv);
    return run(vantelo::CommandLine::Parameters());
}
