#include "cli/text_table.h"

#include <algorithm>
#include <ostream>

namespace vantelo::cli {

namespace {

std::string oneLine(std::string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\t')
            shown += "\\t";
        else if (byte < 0x20 || byte == 0x7F)
            shown += {'\\', 'x', Hex[byte >> 4], Hex[byte & 15]};
        else
            shown += c;
    }
    return shown;
}

void pad(std::ostream& out, size_t count) {
    for (size_t i = 0; i < count; ++i)
        out << ' ';
}

} // namespace

TextTable::TextTable(std::vector<Column> columns) : columns_(std::move(columns)) {}

void TextTable::AddRow(std::vector<std::string> cells) {
    cells.resize(columns_.size());
    for (auto& cell : cells)
        cell = oneLine(cell);
    rows_.push_back(std::move(cells));
}

size_t TextTable::DisplayWidth(std::string_view utf8) {
    return size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void TextTable::Print(std::ostream& out) const {
    std::vector<size_t> widths;
    for (const auto& column : columns_)
        widths.push_back(DisplayWidth(column.Heading));
    for (const auto& row : rows_)
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));

    auto printRow = [&](auto cellAt) {
        // Left-aligned cells are padded only when something follows them.
        size_t owed = 0;
        for (size_t c = 0; c < columns_.size(); ++c) {
            const std::string_view cell = cellAt(c);
            const size_t room = widths[c] - DisplayWidth(cell);
            if (c > 0)
                owed += 2;
            if (columns_[c].Alignment == Align::Right)
                owed += room;
            if (!cell.empty()) {
                pad(out, owed);
                out << cell;
                owed = 0;
            }
            if (columns_[c].Alignment == Align::Left)
                owed += room;
        }
        out << '\n';
    };
    printRow([&](size_t c) -> std::string_view { return columns_[c].Heading; });
    for (const auto& row : rows_)
        printRow([&](size_t c) -> std::string_view { return row[c]; });
}

} // namespace vantelo::cli
