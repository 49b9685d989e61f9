#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "dictionary/language.h"

namespace vantelo {

// The ordered columns of a dictionary; owns its descriptors. Names are
// compared without regard to letter case. Indexes outside the list raise
// std::out_of_range.
class TLanguageList {
public:
    TLanguageList() = default;
    ~TLanguageList() { Clear(); }
    TLanguageList(const TLanguageList&) = delete;
    TLanguageList& operator=(const TLanguageList&) = delete;

    int Count() const { return int(items_.size()); }
    TLanguage& operator[](int i) const { return *items_.at(checked(i)); }
    // The entry's string: the descriptor's name.
    const std::string& Strings(int i) const { return items_.at(checked(i))->Name; }

    void Clear();
    void Delete(int i);
    // Inserts an owned descriptor at i (0 <= i <= Count()).
    TLanguage& Insert(int i, std::unique_ptr<TLanguage> language);
    TLanguage& Append(std::unique_ptr<TLanguage> language) { return Insert(Count(), std::move(language)); }
    void Exchange(int i, int j);
    // Releases ownership of entry i and removes it.
    std::unique_ptr<TLanguage> Extract(int i);

    int IndexOf(std::string_view name) const;
    TLanguage* FindLanguage(std::string_view name) const;
    bool Exists(std::string_view name) const { return IndexOf(name) >= 0; }
    bool IsValidIndex(int i) const { return i >= 0 && i < Count(); }

    int IndexOfLanguageNumber(int n) const;
    int IndexOfRemarkNumber(int n) const;
    int LanguageCount() const;
    int ShownLanguageCount() const;
    int RemarkCount() const;
    int ShownRemarkCount() const;

    void Renumber();
    int NumberShown();

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static size_t checked(int i) { return i < 0 ? SIZE_MAX : size_t(i); }

    std::vector<std::unique_ptr<TLanguage>> items_;
};

} // namespace vantelo
