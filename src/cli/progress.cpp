#include "cli/progress.h"

#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vantelo::cli {

namespace {

size_t terminalWidth() {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

Progress::Progress(std::string_view activity) {
    if (!::isatty(STDERR_FILENO))
        return;
    // A line that wraps could not be taken back with a carriage return:
    // keep it within the terminal, cutting between characters.
    std::string line = std::string(activity) + "...";
    const size_t room = terminalWidth() - 1;
    size_t columns = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (isContinuationByte(line[i]))
            continue;
        if (columns == room) {
            line.resize(i);
            break;
        }
        ++columns;
    }
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    shown_ = columns;
}

Progress::~Progress() {
    if (shown_ == 0)
        return;
    const std::string blank = "\r" + std::string(shown_, ' ') + "\r";
    std::fputs(blank.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace vantelo::cli
