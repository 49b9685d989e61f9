#include "translation/component_snapshot.h"

#include "dictionary/language.h"
#include "dictionary/text_case.h"

namespace vantelo {

TLineRef::TLineRef(TLanguageItem* line) : line_(line) {
    if (line_ && line_->Session) {
        guard_ = line_->Session->LineGuard();
        freedAt_ = guard_->LinesFreed;
    } else {
        // A line of no dictionary cannot be guarded; it is not kept.
        line_ = nullptr;
    }
}

TLanguageItem* TLineRef::Line() {
    if (!line_)
        return nullptr;
    if (!guard_->Alive || guard_->LinesFreed != freedAt_) {
        line_ = nullptr;
        guard_.reset();
    }
    return line_;
}

std::optional<std::string> TPropertySnapshot::Text(int index, const TLanguage& language) {
    if (index < 0 || index >= Count())
        return std::nullopt;
    TLanguageItem* line = lines_[size_t(index)].Line();
    if (!line)
        return std::nullopt;
    const TLanguageList& languages = line->Session->GetLanguages();
    int column = language.Index;
    if (!languages.IsValidIndex(column) || !SameText(languages[column].Name, language.Name))
        column = languages.IndexOf(language.Name);
    if (column < 0 || column >= line->ColumnCount() || !line->HasTextAt(column))
        return std::nullopt;
    return line->GetTextAt(column);
}

int TComponentSnapshot::IndexOf(std::string_view propertyName) const {
    for (size_t i = 0; i < properties_.size(); ++i)
        if (SameText(properties_[i].first, propertyName))
            return int(i);
    return -1;
}

} // namespace vantelo
