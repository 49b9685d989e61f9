#include "dictionary/language_list.h"

#include <stdexcept>

#include "dictionary/text_case.h"

namespace vantelo {

void TLanguageList::Clear() {
    while (!items_.empty())
        items_.pop_back();
}

void TLanguageList::Delete(int i) {
    items_.at(checked(i));
    items_.erase(items_.begin() + i);
}

TLanguage& TLanguageList::Insert(int i, std::unique_ptr<TLanguage> language) {
    if (i < 0 || i > Count())
        throw std::out_of_range("language list index out of range");
    if (!language)
        throw std::invalid_argument("no language descriptor");
    return **items_.insert(items_.begin() + i, std::move(language));
}

void TLanguageList::Exchange(int i, int j) {
    std::swap(items_.at(checked(i)), items_.at(checked(j)));
}

std::unique_ptr<TLanguage> TLanguageList::Extract(int i) {
    auto language = std::move(items_.at(checked(i)));
    items_.erase(items_.begin() + i);
    return language;
}

int TLanguageList::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (SameText(items_[i]->Name, name))
            return int(i);
    return -1;
}

TLanguage* TLanguageList::FindLanguage(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : items_[size_t(i)].get();
}

int TLanguageList::IndexOfLanguageNumber(int n) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i]->IsRemark && items_[i]->ShownNumber == n)
            return int(i);
    return -1;
}

int TLanguageList::IndexOfRemarkNumber(int n) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->IsRemark && items_[i]->ShownNumber == n)
            return int(i);
    return -1;
}

int TLanguageList::LanguageCount() const {
    int n = 0;
    for (const auto& l : items_)
        n += !l->IsRemark;
    return n;
}

int TLanguageList::ShownLanguageCount() const {
    int n = 0;
    for (const auto& l : items_)
        n += !l->IsRemark && l->Shown;
    return n;
}

int TLanguageList::RemarkCount() const { return Count() - LanguageCount(); }

int TLanguageList::ShownRemarkCount() const {
    int n = 0;
    for (const auto& l : items_)
        n += l->IsRemark && l->Shown;
    return n;
}

void TLanguageList::Renumber() {
    for (size_t i = 0; i < items_.size(); ++i)
        items_[i]->Index = int32_t(i);
}

int TLanguageList::NumberShown() {
    int languages = 0;
    int remarks = 0;
    for (auto& l : items_) {
        if (!l->Shown)
            l->ShownNumber = -1;
        else if (l->IsRemark)
            l->ShownNumber = remarks++;
        else
            l->ShownNumber = languages++;
    }
    return Count();
}

} // namespace vantelo
