// The dictionary as a spreadsheet: row 1 names the columns, each following
// row is one line, dictionary column j in sheet column j + 1.
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/code_page.h"
#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "dictionary/workbook.h"

namespace vantelo {
namespace {

ELangException failure(std::string_view templ, std::initializer_list<std::string_view> args) {
    return ELangException::Format(templ, args);
}

std::string toCell(const std::string& text, int row, int column, const std::string& fileName) {
    try {
        return CodePage::ToUtf8(text);
    } catch (const ELangException& e) {
        throw failure(messages::CellNotWritable, {CellName(row, column), fileName, e.what()});
    }
}

std::string fromCell(const std::string& text, int row, int column, const std::string& fileName) {
    try {
        return CodePage::FromUtf8(text);
    } catch (const ELangException& e) {
        throw failure(messages::CellNotInCodePage,
                      {CellName(row, column), fileName, CodePage::Current(), e.what()});
    }
}

} // namespace

void TItemSession::ExportSpreadsheet(const std::string& fileName) const {
    WorkbookRows rows;
    rows.reserve(lines_.size() + 1);
    auto& header = rows.emplace_back();
    for (int i = 0; i < ColumnCount(); ++i)
        header.push_back(toCell(languages_[i].Name, 0, i, fileName));
    for (size_t k = 0; k < lines_.size(); ++k) {
        auto& row = rows.emplace_back(size_t(ColumnCount()));
        for (int j = 0; j < ColumnCount(); ++j)
            if (lines_[k]->HasTextAt(j))
                row[size_t(j)] = toCell(lines_[k]->GetTextAt(j), int(k) + 1, j, fileName);
    }
    WriteWorkbook(fileName, rows);
}

void TItemSession::ImportSpreadsheet(const std::string& fileName) {
    const WorkbookRows rows = ReadWorkbook(fileName);
    if (rows.empty())
        return;
    const std::vector<std::string>& header = rows[0];

    // A sheet column without a name in row 1 is a gap and is skipped; one
    // that holds texts would lose them without a word, so it is refused
    // before anything changes.
    for (size_t i = 0; i < header.size(); ++i) {
        if (!header[i].empty())
            continue;
        for (size_t r = 1; r < rows.size(); ++r)
            if (!rows[r][i].empty())
                throw failure(messages::UnnamedSheetColumn, {ColumnName(int(i)), fileName});
    }

    const int columnsBefore = ColumnCount();
    const int linesBefore = LineCount();
    try {
        // The dictionary column of each sheet column, -1 for a gap.
        std::vector<int> target(header.size(), -1);
        for (size_t i = 0; i < header.size(); ++i) {
            if (header[i].empty())
                continue;
            const std::string name = fromCell(header[i], 0, int(i), fileName);
            if (!languages_.Exists(name)) {
                auto language = std::make_unique<TLanguage>();
                language->Name = name;
                language->Title = name;
                language->ExportStr = "-" + name + ":>";
                language->IsRemark = false;
                language->Shown = true;
                AddLanguage(std::move(language));
            }
            target[i] = languages_.IndexOf(name);
        }
        TLanguageWord words;
        for (size_t r = 1; r < rows.size(); ++r) {
            words.Reset(size_t(ColumnCount()));
            for (size_t i = 0; i < header.size(); ++i)
                if (target[i] >= 0)
                    words[size_t(target[i])] = rows[r][i].empty()
                                                   ? std::string()
                                                   : fromCell(rows[r][i], int(r), int(i), fileName);
            AddWord(words); // a row without texts adds nothing
        }
    } catch (const ELangException& e) {
        if (ColumnCount() == columnsBefore && LineCount() == linesBefore)
            throw;
        throw ELangException(std::string(e.what()) + " " +
                             std::string(messages::ImportKeptBeforeFailure));
    }
}

} // namespace vantelo
