#include "dictionary/language_item.h"

#include <stdexcept>

#include "dictionary/item_session.h"

namespace vantelo {

const TOneLangList& TLanguageItem::list(int column) const {
    if (!Session)
        throw std::logic_error("line belongs to no dictionary");
    return Session->TextList(column);
}

std::vector<int> TLanguageItem::Positions() const {
    std::vector<int> result(cells_.size());
    for (size_t c = 0; c < cells_.size(); ++c)
        result[c] = GetPositionAt(int(c));
    return result;
}

void TLanguageItem::AppendEmpty(int n) {
    if (n > 0)
        cells_.insert(cells_.end(), size_t(n), TOneLangList::NoHandle);
}

int TLanguageItem::GetPositionAt(int column) const {
    const Handle h = cells_.at(size_t(column));
    return h == TOneLangList::NoHandle ? -1 : list(column).PositionOf(h);
}

int TLanguageItem::GetPosition(const TLanguage& language) const { return GetPositionAt(language.Index); }

void TLanguageItem::SetPositionAt(int column, int p) {
    Handle& cell = cells_.at(size_t(column));
    if (p == -1) {
        cell = TOneLangList::NoHandle;
        return;
    }
    cell = list(column).HandleAt(p);
}

void TLanguageItem::SetPosition(const TLanguage& language, int p) { SetPositionAt(language.Index, p); }

std::string TLanguageItem::GetTextAt(int column) const {
    const Handle h = cells_.at(size_t(column));
    return h == TOneLangList::NoHandle ? std::string() : list(column).TextOf(h);
}

std::string TLanguageItem::GetText(const TLanguage& language) const {
    if (!Session || !Session->GetLanguages().Exists(language.Name))
        return {};
    if (language.Index < 0 || language.Index >= ColumnCount())
        return {};
    return GetTextAt(language.Index);
}

int TLanguageItem::LanguageColumnCount() const {
    return Session ? Session->GetLanguages().LanguageCount() : 0;
}

int TLanguageItem::RemarkColumnCount() const {
    return Session ? Session->GetLanguages().Count() - LanguageColumnCount() : 0;
}

} // namespace vantelo
