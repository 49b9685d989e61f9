// vantelo: the command-line tool over the dictionary core.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "dictionary/command_line.h"

namespace {

constexpr const char* Usage =
    "Usage: vantelo [--help] [--version] COMMAND [ARGS...]\n"
    "\n"
    "Vantelo edits multilingual dictionaries (.lgf language streams) and\n"
    "translates applications' windows with them. This tool works on\n"
    "dictionaries from scripts and build pipelines.\n"
    "\n"
    "Options:\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "The commands that inspect, convert and import dictionaries are not\n"
    "part of this build yet.\n";

} // namespace

int main(int argc, char** argv) {
    vantelo::CommandLine::Set(argc, argv);
    if (argc < 2) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::puts("vantelo 4.01");
        return 0;
    }
    std::fprintf(stderr, "vantelo: unknown command '%s'\n\n%s", argv[1], Usage);
    return 2;
}
