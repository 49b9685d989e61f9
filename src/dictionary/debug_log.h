#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/lang_exception.h"

namespace vantelo {

// The debug log could not be written (the message names the file).
class EDebugLogError : public ELangException {
public:
    using ELangException::ELangException;
};

// The process-wide state of debug mode that the dictionary shares with the
// translation component: the lines already written to "VLDebug.log" during
// this run, the property being translated, and where the log is written.
class DebugLog {
public:
    static constexpr std::string_view FileName = "VLDebug.log";

    // Lines reported so far (blocks written and the debug dialog's reports).
    static const std::vector<std::string>& ReportedLines();
    // Case-insensitive search of the reported lines.
    static bool IsReported(std::string_view line);
    static void AddReported(std::string line);

    // The property whose text the component is translating, or "".
    static std::string CurrentPropertyName;

    // The folder of the log: the program's folder when it is writable,
    // otherwise the per-user data folder; SetFolder overrides both.
    static std::filesystem::path Folder();
    static void SetFolder(std::filesystem::path folder);
    static std::filesystem::path Path() { return Folder() / std::string(FileName); }

    // Appends one block (each line ended by CR LF) to the log and records
    // every line as reported. A log that cannot be written raises
    // EDebugLogError naming the file; nothing is recorded then.
    static void WriteBlock(const std::vector<std::string>& lines);

    // Forgets the reported lines and the chosen folder (for tests).
    static void Reset();
};

} // namespace vantelo
