#include "dictionary/item_session.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

#include "dictionary/command_line.h"
#include "dictionary/debug_log.h"
#include "dictionary/integer_text.h"
#include "dictionary/lang_exception.h"
#include "dictionary/line_breaks.h"
#include "dictionary/text_case.h"

namespace vantelo {

namespace {
constexpr std::string_view StatisticsColumn = "STATISTICS";

bool allEmpty(const TLanguageWord& words) {
    return std::all_of(words.begin(), words.end(), [](const std::string& w) { return w.empty(); });
}
} // namespace

TItemSession::TItemSession() : DebugMode(CommandLine::HasSwitch("-VLDEBUG")) {}

TItemSession::~TItemSession() {
    lineGuard_->Alive = false;
    // Lines refer into the text lists; let them go first.
    lines_.clear();
    textLists_.clear();
}

// ---- column look-up ------------------------------------------------------

int TItemSession::checkedColumn(const TLanguage& language, Quote quote, std::string_view templ) const {
    if (languages_.IsValidIndex(language.Index) &&
        SameText(languages_[language.Index].Name, language.Name))
        return language.Index;
    const int column = languages_.IndexOf(language.Name);
    if (column < 0)
        throw ELangException::Format(templ, quote == Quote::Name ? language.Name : language.Title);
    return column;
}

int TItemSession::uncheckedColumn(const TLanguage& language) const {
    if (!languages_.IsValidIndex(language.Index))
        throw std::out_of_range("column index out of range");
    return language.Index;
}

// ---- text bookkeeping ----------------------------------------------------

void TItemSession::removeText(TLanguageItem& line, int column) {
    auto& cell = line.cells_.at(size_t(column));
    if (cell == TOneLangList::NoHandle)
        return;
    list(column).Remove(cell);
    cell = TOneLangList::NoHandle;
}

void TItemSession::insertText(TLanguageItem& line, int column, std::string text) {
    auto& cell = line.cells_.at(size_t(column));
    cell = list(column).Insert(std::move(text), &line);
}

void TItemSession::deleteLines(std::vector<TLanguageItem*> doomed) {
    if (doomed.empty())
        return;
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    for (auto* line : doomed)
        for (int c = 0; c < line->ColumnCount(); ++c)
            removeText(*line, c);
    noteLinesFreed();
    if (const int index = IndexOfLine(doomed.front()); doomed.size() == 1 && index >= 0) {
        lines_.erase(lines_.begin() + index);
    } else {
        std::unordered_set<const TLanguageItem*> set(doomed.begin(), doomed.end());
        std::erase_if(lines_, [&set](const auto& line) { return set.count(line.get()) != 0; });
    }
    Modified = true;
}

void TItemSession::checkWordCount(const TLanguageWord& words) const {
    if (!allEmpty(words) && words.Count() != ColumnCount())
        throw ELangException(std::string(messages::WordNotFound));
}

// ---- reading -------------------------------------------------------------

const std::string& TItemSession::TextAtPosition(int position, const TLanguage& language) const {
    return TextList(checkedColumn(language, Quote::Name)).TextAt(position);
}

std::string TItemSession::LineText(int lineIndex, const TLanguage& language) const {
    const int column = checkedColumn(language, Quote::Name);
    return lines_.at(size_t(lineIndex))->GetTextAt(column);
}

int TItemSession::TextCount(const TLanguage& language) const {
    return TextList(checkedColumn(language, Quote::Name)).Count();
}

int TItemSession::IndexOfText(std::string_view text, const TLanguage& language) const {
    return TextList(uncheckedColumn(language)).IndexOf(text);
}

TLanguageItem* TItemSession::FindLine(std::string_view text, const TLanguage& language) const {
    const auto& texts = TextList(checkedColumn(language, Quote::Title));
    const int p = texts.IndexOf(text);
    return p < 0 ? nullptr : texts.ObjectAt(p);
}

TLanguageItem* TItemSession::LineAtPosition(int position, const TLanguage& language) const {
    const auto& texts = TextList(uncheckedColumn(language));
    if (position < 0 || position >= texts.Count())
        return nullptr;
    return texts.ObjectAt(position);
}

TLanguageItem* TItemSession::LineAt(int lineIndex) const {
    if (lineIndex < 0 || size_t(lineIndex) >= lines_.size())
        return nullptr;
    return lines_[size_t(lineIndex)].get();
}

int TItemSession::IndexOfLine(const TLanguageItem* line) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].get() == line)
            return int(i);
    return -1;
}

int TItemSession::LanguageIndex(int n) const {
    for (int i = 0, seen = 0; i < languages_.Count(); ++i)
        if (!languages_[i].IsRemark && seen++ == n)
            return i;
    return -1;
}

int TItemSession::RemarkIndex(int n) const {
    for (int i = 0, seen = 0; i < languages_.Count(); ++i)
        if (languages_[i].IsRemark && seen++ == n)
            return i;
    return -1;
}

// ---- columns -------------------------------------------------------------

void TItemSession::insertColumn(int index, std::unique_ptr<TLanguage> language) {
    auto texts = std::make_unique<TOneLangList>(language->Name);
    languages_.Insert(index, std::move(language));
    textLists_.insert(textLists_.begin() + index, std::move(texts));
    for (auto& line : lines_)
        line->cells_.insert(line->cells_.begin() + index, TOneLangList::NoHandle);
    Modified = true;
    ++languageCounter_;
    languages_.Renumber();
    languages_.NumberShown();
}

TLanguage* TItemSession::AddLanguage(std::unique_ptr<TLanguage>&& language) {
    return InsertLanguage(languages_.Count(), std::move(language));
}

TLanguage* TItemSession::InsertLanguage(int index, std::unique_ptr<TLanguage>&& language) {
    if (!language || languages_.Exists(language->Name) || index < 0 || index > languages_.Count())
        return nullptr;
    TLanguage* taken = language.get();
    insertColumn(index, std::move(language));
    return taken;
}

void TItemSession::EditLanguage(TLanguage& language, const TLanguage& newValues) {
    const int column = checkedColumn(language, Quote::Title);
    // Two columns of one name would make the saved file unreadable, so a new
    // name must not be another column's.
    const int clash = languages_.IndexOf(newValues.Name);
    if (clash >= 0 && clash != column)
        throw ELangException::Format(messages::LanguageAlreadyRegistered, newValues.Name);
    TLanguage& registered = languages_[column];
    for (TLanguage* target : {&registered, &language}) {
        target->Name = newValues.Name;
        target->ExportStr = newValues.ExportStr;
        target->Title = newValues.Title;
        target->Shown = newValues.Shown;
        target->IsRemark = newValues.IsRemark;
        target->ReadOnly = newValues.ReadOnly;
        target->SetImage(newValues.Image);
        if (&registered == &language)
            break;
    }
    languages_.NumberShown();
    languages_.Renumber();
    Modified = true;
}

void TItemSession::DeleteLanguage(TLanguage& language) {
    const int column = checkedColumn(language, Quote::Title);
    const auto at = size_t(column);
    std::erase_if(lines_, [at](const std::unique_ptr<TLanguageItem>& line) {
        line->cells_[at] = TOneLangList::NoHandle;
        return std::all_of(line->cells_.begin(), line->cells_.end(),
                           [](auto h) { return h == TOneLangList::NoHandle; });
    });
    for (auto& line : lines_)
        line->cells_.erase(line->cells_.begin() + column);
    textLists_.erase(textLists_.begin() + column);
    languages_.Delete(column);
    --languageCounter_;
    languages_.Renumber();
    languages_.NumberShown();
    Modified = true;
}

void TItemSession::ExchangeLanguages(int i, int j) {
    if (i == j)
        return;
    for (int k : {i, j})
        if (!languages_.IsValidIndex(k))
            throw ELangException::Format(messages::LanguageNotRegistered, "Number " + std::to_string(k));
    for (auto& line : lines_)
        std::swap(line->cells_[size_t(i)], line->cells_[size_t(j)]);
    Modified = true;
    languages_.Exchange(i, j);
    std::swap(textLists_[size_t(i)], textLists_[size_t(j)]);
    languages_.Renumber();
    languages_.NumberShown();
}

// ---- lines ---------------------------------------------------------------

TLanguageItem* TItemSession::AddWord(const TLanguageWord& words) {
    if (allEmpty(words))
        return nullptr;
    checkWordCount(words);
    auto line = std::make_unique<TLanguageItem>(this);
    line->AppendEmpty(ColumnCount());
    for (int c = 0; c < ColumnCount(); ++c)
        if (!words[size_t(c)].empty())
            insertText(*line, c, words[size_t(c)]);
    lines_.push_back(std::move(line));
    Modified = true;
    return lines_.back().get();
}

void TItemSession::DeleteText(std::string_view text, const TLanguage& language) {
    const int column = uncheckedColumn(language);
    const auto& texts = TextList(column);
    int first;
    if (texts.Find(text, first)) {
        checkedColumn(language, Quote::Title);
        std::vector<TLanguageItem*> doomed;
        for (int p = first; p < texts.Count() && texts.TextAt(p) == text; ++p)
            if (auto* owner = texts.ObjectAt(p))
                doomed.push_back(owner);
        deleteLines(std::move(doomed));
    }
    Modified = true;
}

void TItemSession::DeleteLineAtPosition(int position, const TLanguage& language) {
    const int column = checkedColumn(language, Quote::Title);
    if (auto* owner = TextList(column).ObjectAt(position))
        deleteLines({owner});
}

void TItemSession::DeleteLine(int lineIndex) { deleteLines({lines_.at(size_t(lineIndex)).get()}); }

TLanguageItem* TItemSession::ReplaceLineAtPosition(int position, const TLanguage& language,
                                                   const TLanguageWord& words) {
    // Checked before anything is deleted, so a bad argument loses no line.
    checkWordCount(words);
    DeleteLineAtPosition(position, language);
    auto* line = AddWord(words);
    Modified = true;
    return line;
}

TLanguageItem* TItemSession::ReplaceText(std::string_view text, const TLanguage& language,
                                         const TLanguageWord& words) {
    checkWordCount(words);
    DeleteText(text, language);
    auto* line = AddWord(words);
    Modified = true;
    return line;
}

TLanguageItem* TItemSession::ReplaceLine(int lineIndex, const TLanguageWord& words) {
    checkWordCount(words);
    DeleteLine(lineIndex);
    auto* line = AddWord(words);
    Modified = true;
    return line;
}

TLanguageItem* TItemSession::SetRemarks(int lineIndex, const TLanguageWord& words) {
    auto& line = *lines_.at(size_t(lineIndex));
    auto remarkEntry = [&](int c) -> const std::string& {
        static const std::string none;
        return size_t(c) < words.size() ? words[size_t(c)] : none;
    };
    bool any = false;
    for (int c = 0; c < ColumnCount() && !any; ++c)
        any = languages_[c].IsRemark && !remarkEntry(c).empty();
    if (!any)
        throw ELangException(std::string(messages::RemarkNotFound));
    for (int c = 0; c < ColumnCount(); ++c) {
        if (!languages_[c].IsRemark)
            continue;
        removeText(line, c);
        if (!remarkEntry(c).empty())
            insertText(line, c, remarkEntry(c));
    }
    Modified = true;
    return &line;
}

void TItemSession::DeleteRemarks(int lineIndex) {
    auto& line = *lines_.at(size_t(lineIndex));
    for (int c = 0; c < ColumnCount(); ++c)
        if (languages_[c].IsRemark)
            removeText(line, c);
    Modified = true;
}

void TItemSession::DeleteRemarksAtPosition(int position, const TLanguage& remark) {
    const int column = checkedColumn(remark, Quote::Title, messages::RemarkNotRegistered);
    if (auto* owner = TextList(column).ObjectAt(position))
        DeleteRemarks(IndexOfLine(owner));
    Modified = true;
}

void TItemSession::ClearTextAt(int lineIndex, int column) {
    auto* line = LineAt(lineIndex);
    if (!line || !line->HasTextAt(column))
        return;
    removeText(*line, column);
    Modified = true;
}

void TItemSession::SetTextIfEmptyAt(int lineIndex, int column, const std::string& text) {
    auto* line = LineAt(lineIndex);
    // An empty text means "no text": it never takes an entry of its own.
    if (!line || text.empty() || line->HasTextAt(column))
        return;
    insertText(*line, column, text);
    Modified = true;
}

void TItemSession::SetTextAt(int lineIndex, int column, const std::string& text) {
    ClearTextAt(lineIndex, column);
    SetTextIfEmptyAt(lineIndex, column, text);
}

void TItemSession::CountUsage(int lineIndex) {
    const int column = languages_.IndexOf(StatisticsColumn);
    if (column < 0)
        return;
    const std::string current = lines_.at(size_t(lineIndex))->GetTextAt(column);
    int64_t next = 1;
    if (!current.empty()) {
        const auto value = ParseInteger(current);
        if (!value)
            throw ELangException::Format(messages::NotAnInteger, current);
        next = int64_t(*value) + 1;
    }
    SetTextAt(lineIndex, column, std::to_string(next));
}

void TItemSession::ClearLines() {
    if (!lines_.empty())
        noteLinesFreed();
    lines_.clear();
    for (auto& texts : textLists_)
        texts->Clear();
}

void TItemSession::Clear() {
    ClearLines();
    textLists_.clear();
    languages_.Clear();
    languageCounter_ = 0;
}

// ---- search and reports --------------------------------------------------

int TItemSession::Search(std::string_view text, bool byLine, const TLanguage* searchColumn,
                         const TLanguage* orderColumn, bool allColumns) const {
    auto need = [this](const TLanguage* column) {
        if (!column)
            throw std::invalid_argument("search needs a column");
        return uncheckedColumn(*column);
    };
    if (byLine) {
        auto scan = [&](int column) {
            const auto& texts = TextList(column);
            for (int p = 0; p < texts.Count(); ++p)
                if (StartsWithText(texts.TextAt(p), text))
                    return IndexOfLine(texts.ObjectAt(p));
            return -1;
        };
        if (!allColumns)
            return scan(need(searchColumn));
        for (int c = 0; c < ColumnCount(); ++c)
            if (const int found = scan(c); found >= 0)
                return found;
        return -1;
    }
    const auto& order = TextList(need(orderColumn));
    const int only = allColumns ? -1 : need(searchColumn);
    for (int p = 0; p < order.Count(); ++p) {
        const auto* line = order.ObjectAt(p);
        if (!line)
            continue;
        for (int c = allColumns ? 0 : only; c < (allColumns ? line->ColumnCount() : only + 1); ++c)
            if (StartsWithText(line->GetTextAt(c), text))
                return p;
    }
    return -1;
}

void TItemSession::ListRepeatedTexts(std::vector<std::string>& report) const {
    for (int c = 0; c < ColumnCount(); ++c) {
        if (languages_[c].IsRemark)
            continue;
        const auto& texts = TextList(c);
        const size_t placeholder = report.size();
        report.emplace_back();
        bool found = false;
        for (int p = 0; p < texts.Count();) {
            int q = p + 1;
            while (q < texts.Count() && texts.TextAt(q) == texts.TextAt(p))
                ++q;
            if (q - p >= 2) {
                report.push_back("  " + texts.TextAt(p) + ":" + std::to_string(q - p));
                found = true;
            }
            p = q;
        }
        if (found)
            report[placeholder] = languages_[c].Title;
        else
            report.erase(report.begin() + std::ptrdiff_t(placeholder));
    }
}

// ---- translation ---------------------------------------------------------

std::string TItemSession::Translate(const TComponentRef* parent, const TComponentRef* component,
                                    const std::string& text, const TLanguage& source,
                                    const TLanguage& target, bool& notFound) {
    notFound = true;
    const int from = checkedColumn(source, Quote::Name);
    const int to = checkedColumn(target, Quote::Name);
    if (text.empty() || ParseInteger(text) || from == to)
        return text;
    const auto& texts = TextList(from);
    const int p = texts.IndexOf(text);
    if (p < 0) {
        if (DebugMode)
            logMissing(parent, component, text, source);
        return text;
    }
    const auto* line = texts.ObjectAt(p);
    if (!line || !line->HasTextAt(to))
        return text;
    notFound = false;
    return line->GetTextAt(to);
}

void TItemSession::logMissing(const TComponentRef* parent, const TComponentRef* component,
                              const std::string& text, const TLanguage& source) const {
    // The key holds the escaped text, as the log line does, so that a text
    // with a line break is also reported once per run.
    const std::string escaped = EscapeLineBreaks(text);
    if (DebugLog::IsReported(source.ExportStr + ">" + escaped))
        return;
    std::vector<std::string> block;
    for (const auto& column : languages_)
        block.push_back(column->ExportStr + ">" + escaped);
    block.push_back("-ParentObject:>" + (parent ? parent->Name : std::string("Unknown")));
    block.push_back("-ClassObject:>" + (component ? component->ClassName : std::string("Nil")));
    block.push_back("-ObjectName:>" + (component ? component->Name : std::string("Nil")));
    block.push_back("-PropertyName:>" + (DebugLog::CurrentPropertyName.empty()
                                             ? std::string("Unknown")
                                             : DebugLog::CurrentPropertyName));
    block.push_back("-Items:>Unknown");
    block.emplace_back();
    DebugLog::WriteBlock(block);
}

} // namespace vantelo
