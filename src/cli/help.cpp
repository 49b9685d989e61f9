#include "cli/help.h"

#include <algorithm>
#include <ostream>

namespace vantelo::cli {

namespace {

constexpr std::string_view Introduction =
    "Works on Vantelo dictionaries (.lgf) from scripts and build pipelines:\n"
    "inspects them, converts them to and from tagged text and workbooks,\n"
    "imports into them and translates with them.\n";

constexpr std::string_view GlobalOptions =
    "Options (before or after the command):\n"
    "  --code-page NAME  the code page of the dictionary's texts, as iconv names\n"
    "                    it: WINDOWS-1252 (the default), UTF-8, ISO-8859-2,\n"
    "                    CP1251, ... Texts given on the command line and texts\n"
    "                    printed are UTF-8 and converted through it.\n"
    "  --help, -h        show this help; after a command, the command's help\n"
    "  --version         show the version\n"
    "  --                end of options: every later argument is taken as it is,\n"
    "                    even when it starts with \"-\"\n";

constexpr std::string_view FileKinds =
    "Files are told apart by their extension, in any letter case:\n"
    "  .lgf              dictionary\n"
    "  .txt, .log        tagged text (a debug log is tagged text too)\n"
    "  .xlsx             workbook\n"
    "  .xls              legacy workbook, read only\n"
    "Other input files are read as tagged text.\n";

constexpr std::string_view ExitStatus =
    "Exit status: 0 on success, 1 on failure (the reason on standard error),\n"
    "2 when the command line is wrong (the usage on standard error).\n";

void usageLine(std::ostream& out, const CommandSpec& command) {
    out << "Usage: vantelo " << command.Name;
    if (!command.Synopsis.empty())
        out << ' ' << command.Synopsis;
    out << '\n';
}

void commandList(std::ostream& out, std::span<const CommandSpec> commands) {
    size_t width = 0;
    for (const auto& c : commands)
        width = std::max(width, c.Name.size());
    out << "Commands:\n";
    for (const auto& c : commands)
        out << "  " << c.Name << std::string(width - c.Name.size() + 2, ' ') << c.Summary << '\n';
}

} // namespace

void PrintUsage(std::ostream& out, std::span<const CommandSpec> commands,
                const CommandSpec* command) {
    if (command) {
        usageLine(out, *command);
        out << "Run 'vantelo " << command->Name << " --help' for more.\n";
        return;
    }
    out << "Usage: vantelo [--code-page NAME] COMMAND [ARGUMENTS...]\n";
    commandList(out, commands);
    out << "Run 'vantelo --help' for more, 'vantelo COMMAND --help' for a command.\n";
}

void PrintHelp(std::ostream& out, std::span<const CommandSpec> commands,
               const CommandSpec* command) {
    if (command) {
        usageLine(out, *command);
        out << '\n' << command->Help << '\n' << GlobalOptions << '\n' << ExitStatus;
        return;
    }
    out << "Usage: vantelo [--code-page NAME] COMMAND [ARGUMENTS...]\n"
           "       vantelo COMMAND --help\n"
           "       vantelo --help | --version\n"
           "\n"
        << Introduction << '\n';
    commandList(out, commands);
    out << '\n' << GlobalOptions << '\n' << FileKinds << '\n' << ExitStatus;
}

} // namespace vantelo::cli
