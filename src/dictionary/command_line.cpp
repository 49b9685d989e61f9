#include "dictionary/command_line.h"

#include "dictionary/text_case.h"

namespace vantelo {

namespace {
std::vector<std::string>& storage() {
    static std::vector<std::string> parameters;
    return parameters;
}
} // namespace

void CommandLine::Set(int argc, const char* const* argv) {
    std::vector<std::string> parameters;
    for (int i = 1; i < argc; ++i)
        parameters.emplace_back(argv[i] ? argv[i] : "");
    SetParameters(std::move(parameters));
}

void CommandLine::SetParameters(std::vector<std::string> parameters) {
    storage() = std::move(parameters);
}

const std::vector<std::string>& CommandLine::Parameters() { return storage(); }

namespace {
std::filesystem::path& programFolderOverride() {
    static std::filesystem::path folder;
    return folder;
}
} // namespace

void CommandLine::SetProgramFolder(std::filesystem::path folder) { programFolderOverride() = std::move(folder); }

std::filesystem::path CommandLine::ProgramFolder() {
    if (!programFolderOverride().empty())
        return programFolderOverride();
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : exe.parent_path();
}

bool CommandLine::HasSwitch(std::string_view upperCaseSwitch) {
    for (const auto& p : storage())
        if (UpperCase(p) == upperCaseSwitch)
            return true;
    return false;
}

} // namespace vantelo
