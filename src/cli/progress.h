#pragma once

#include <string>
#include <string_view>

namespace vantelo::cli {

// A line on standard error that says what the tool is busy with ("Reading
// big.txt...") while an object lives, erased when it goes. Nothing is
// written when standard error is not a terminal, so logs and pipes see only
// real messages.
class Progress {
public:
    explicit Progress(std::string_view activity);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

private:
    size_t shown_ = 0; // columns the line takes, 0 when nothing was shown
};

} // namespace vantelo::cli
