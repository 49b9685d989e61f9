#include "dictionary/debug_log.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>
#include <unordered_set>

#include "dictionary/command_line.h"
#include "dictionary/lang_exception.h"
#include "dictionary/text_case.h"

namespace vantelo {

namespace {

struct State {
    std::vector<std::string> lines;
    std::unordered_set<std::string> keys; // upper-cased lines
    std::filesystem::path folder;
};

State& state() {
    static State s;
    return s;
}

bool isWritableFolder(const std::filesystem::path& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
}

std::filesystem::path userDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "vantelo";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "vantelo";
    return std::filesystem::temp_directory_path() / "vantelo";
}

} // namespace

std::string DebugLog::CurrentPropertyName;

const std::vector<std::string>& DebugLog::ReportedLines() { return state().lines; }

bool DebugLog::IsReported(std::string_view line) { return state().keys.count(UpperCase(line)) != 0; }

void DebugLog::AddReported(std::string line) {
    state().keys.insert(UpperCase(line));
    state().lines.push_back(std::move(line));
}

std::filesystem::path DebugLog::Folder() {
    if (!state().folder.empty())
        return state().folder;
    const auto programFolder = CommandLine::ProgramFolder();
    if (isWritableFolder(programFolder))
        return programFolder;
    auto folder = userDataFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

void DebugLog::SetFolder(std::filesystem::path folder) { state().folder = std::move(folder); }

void DebugLog::WriteBlock(const std::vector<std::string>& lines) {
    const auto path = Path();
    std::string block;
    for (const auto& line : lines) {
        block += line;
        block += "\r\n";
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "ab"), &std::fclose);
    bool ok = file != nullptr && std::fwrite(block.data(), 1, block.size(), file.get()) == block.size();
    if (file)
        ok = std::fclose(file.release()) == 0 && ok;
    if (!ok)
        throw EDebugLogError(ELangException::Format(messages::CannotWriteDebugLog, path.string()).what());
    for (const auto& line : lines)
        AddReported(line);
}

void DebugLog::Reset() {
    state() = State();
    CurrentPropertyName.clear();
}

} // namespace vantelo
