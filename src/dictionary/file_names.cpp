#include "dictionary/file_names.h"

#include <filesystem>

#include "dictionary/command_line.h"

namespace vantelo {

namespace fs = std::filesystem;

namespace {
bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}
} // namespace

bool ResolveFileName(std::string& fileName) {
    const fs::path given(fileName);
    if (given.has_parent_path() && isFile(given))
        return true;
    const fs::path bare = given.filename();
    if (bare.empty())
        return false;
    if (const auto inProgramFolder = CommandLine::ProgramFolder() / bare; isFile(inProgramFolder)) {
        fileName = inProgramFolder.string();
        return true;
    }
    if (isFile(bare)) {
        fileName = bare.string();
        return true;
    }
    return false;
}

std::string MakeBackupName(const std::string& fileName) {
    const fs::path given(fileName);
    const fs::path folder = given.has_parent_path() ? given.parent_path() : CommandLine::ProgramFolder();
    const std::string bare = given.filename().string();
    const auto dot = bare.rfind('.');
    const std::string backup =
        dot == std::string::npos ? bare + "~" : bare.substr(0, dot + 1) + "~" + bare.substr(dot + 1);
    return (folder / backup).string();
}

} // namespace vantelo
