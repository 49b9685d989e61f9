#pragma once

#include <string>
#include <vector>

namespace vantelo {

// One text per column, in column order; "" means no text in that column.
class TLanguageWord : public std::vector<std::string> {
public:
    using std::vector<std::string>::vector;

    // Empties the list, then appends n empty strings.
    void Reset(size_t n) { assign(n, std::string()); }
    int Count() const { return int(size()); }
};

} // namespace vantelo
