#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace vantelo::cli {

// A table of UTF-8 texts printed with aligned columns, two spaces apart,
// under a heading line, without trailing spaces. Widths count characters
// (code points), which is what a terminal shows for the scripts our
// dictionaries mostly hold. Control characters in a cell are shown escaped
// (\n, \t, \xNN) so that every row stays on one line.
class TextTable {
public:
    enum class Align { Left, Right };
    struct Column {
        std::string Heading;
        Align Alignment = Align::Left;
    };

    explicit TextTable(std::vector<Column> columns);

    // A row has one cell per column; missing cells are empty, extra ones
    // are dropped.
    void AddRow(std::vector<std::string> cells);
    void Print(std::ostream& out) const;

    static size_t DisplayWidth(std::string_view utf8);

private:
    std::vector<Column> columns_;
    std::vector<std::vector<std::string>> rows_;
};

} // namespace vantelo::cli
