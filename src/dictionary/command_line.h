#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantelo {

// The process's command line as the core sees it. The core never touches
// argv: main() hands the arguments over once, and everything that reads a
// switch ("-VLDEBUG", a dictionary to open) asks here.
class CommandLine {
public:
    // Parameters exclude the program name.
    static void Set(int argc, const char* const* argv);
    static void SetParameters(std::vector<std::string> parameters);
    static const std::vector<std::string>& Parameters();

    // True when some parameter, upper-cased, equals the (upper-case) switch.
    static bool HasSwitch(std::string_view upperCaseSwitch);

    // The folder of the running program's executable file.
    static std::filesystem::path ProgramFolder();
    // Stands in another folder for the program's (tests; empty: the real one).
    static void SetProgramFolder(std::filesystem::path folder);
};

} // namespace vantelo
