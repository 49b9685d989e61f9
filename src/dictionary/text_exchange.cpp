// The tagged text form of a dictionary: one block per line, each text behind
// its column's export string and ">", blocks ended by an empty line; the
// same form as the debug log's blocks.
#include <algorithm>

#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "dictionary/line_breaks.h"
#include "dictionary/safe_file.h"

namespace vantelo {

namespace {

constexpr std::string_view LineEnd = "\r\n";

void appendTextLine(std::string& out, const std::string& exportStr, const std::string& text) {
    out += exportStr;
    out += '>';
    if (text.find_first_of("\r\n") == std::string::npos)
        out += text;
    else
        out += EscapeLineBreaks(text);
    out += LineEnd;
}

// Splits at CR LF, CR or LF, as text files from any platform end their lines.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

bool isBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
}

} // namespace

std::string TItemSession::ExportTextBytes() const {
    std::string out;
    size_t estimate = lines_.size() * 2;
    for (int c = 0; c < ColumnCount(); ++c)
        estimate += size_t(TextList(c).Count()) * (languages_[c].ExportStr.size() + 28);
    out.reserve(estimate);
    for (const auto& line : lines_) {
        for (int c = 0; c < ColumnCount(); ++c)
            if (line->HasTextAt(c))
                appendTextLine(out, languages_[c].ExportStr, line->GetTextAt(c));
        out += LineEnd;
    }
    return out;
}

std::string TItemSession::ExportSortedTextBytes(const TLanguage& column) const {
    const auto& order = TextList(checkedColumn(column, Quote::Title));
    std::string out;
    for (int p = 0; p < order.Count(); ++p) {
        const auto* line = order.ObjectAt(p);
        if (!line)
            continue;
        for (int c = 0; c < ColumnCount(); ++c)
            appendTextLine(out, languages_[c].ExportStr, line->GetTextAt(c));
        out += LineEnd;
    }
    return out;
}

void TItemSession::ExportText(const std::string& fileName) const { WriteFileSafely(fileName, ExportTextBytes()); }

void TItemSession::ExportSortedText(const std::string& fileName, const TLanguage& column) const {
    WriteFileSafely(fileName, ExportSortedTextBytes(column));
}

void TItemSession::ImportTextBytes(std::string_view bytes) {
    const auto lines = splitLines(bytes);
    TLanguageWord words;
    size_t i = 0;
    for (;;) {
        while (i < lines.size() && isBlank(lines[i]))
            ++i;
        if (i >= lines.size())
            break;
        words.Reset(size_t(ColumnCount()));
        while (i < lines.size() && !lines[i].empty()) {
            const std::string_view line = lines[i];
            int column = -1;
            size_t at = 0;
            for (int c = 0; c < ColumnCount() && column < 0; ++c) {
                const std::string& tag = languages_[c].ExportStr;
                if (!tag.empty() && (at = line.find(tag)) != std::string_view::npos)
                    column = c;
            }
            if (column >= 0) {
                // The text follows the tag and the one character after it.
                const size_t from = at + languages_[column].ExportStr.size() + 1;
                if (from < line.size())
                    words[size_t(column)] = UnescapeLineBreaks(line.substr(from));
                ++i;
                continue;
            }
            const size_t gt = line.find('>');
            const std::string_view tag = gt == std::string_view::npos ? std::string_view() : line.substr(0, gt);
            // A line without a tag is a comment; so is a tag too short to
            // name a column (its first and last characters are not part of
            // the name).
            if (tag.size() < 3) {
                ++i;
                continue;
            }
            const std::string name(tag.substr(1, tag.size() - 2));
            if (const int registered = languages_.IndexOf(name); registered >= 0) {
                // That name is taken by a column with another tag: its text
                // goes there rather than being lost.
                const auto text = line.substr(gt + 1);
                if (!text.empty())
                    words[size_t(registered)] = UnescapeLineBreaks(text);
                ++i;
                continue;
            }
            auto language = std::make_unique<TLanguage>();
            language->ExportStr = std::string(tag);
            language->Name = name;
            language->Title = name;
            language->Shown = true;
            AddLanguage(std::move(language));
            words.emplace_back();
            // The same line is read again and now finds its column.
        }
        AddWord(words);
    }
}

void TItemSession::ImportText(const std::string& fileName) {
    ImportTextBytes(ReadWholeFile(fileName, messages::CannotReadFile));
}

void TItemSession::Export(const std::string& fileName, int kind) {
    switch (kind) {
    case 2:
        ExportSpreadsheet(fileName);
        break;
    case 3:
        SaveToFileUnicode(fileName);
        break;
    default:
        ExportText(fileName);
        break;
    }
}

void TItemSession::Import(const std::string& fileName, int kind) {
    if (kind == 3)
        ImportSpreadsheet(fileName);
    else
        ImportText(fileName);
}

} // namespace vantelo
