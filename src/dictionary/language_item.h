#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/one_lang_list.h"

namespace vantelo {

class TItemSession;
class TLanguage;

// One dictionary line: for each column, a reference to its text in that
// column's sorted list, or none. The position of a text (its place in the
// sorted list) is read through the list, so it never goes stale.
class TLanguageItem {
public:
    using Handle = TOneLangList::Handle;

    explicit TLanguageItem(TItemSession* session = nullptr) : Session(session) {}
    virtual ~TLanguageItem() = default;
    TLanguageItem(const TLanguageItem&) = delete;
    TLanguageItem& operator=(const TLanguageItem&) = delete;

    TItemSession* Session;
    uint8_t GroupMark = 0;

    // Number of columns the line has an entry for.
    int ColumnCount() const { return int(cells_.size()); }
    // The line's position in every column's list, -1 for none.
    std::vector<int> Positions() const;

    void AppendEmpty(int n);
    int GetPositionAt(int column) const;
    int GetPosition(const TLanguage& language) const;
    // Makes the line refer to the entry at position p of the column (-1: none).
    void SetPositionAt(int column, int p);
    void SetPosition(const TLanguage& language, int p);
    std::string GetTextAt(int column) const;
    std::string GetText(const TLanguage& language) const;
    bool HasTextAt(int column) const { return cells_.at(size_t(column)) != TOneLangList::NoHandle; }
    int LanguageColumnCount() const;
    int RemarkColumnCount() const;

private:
    friend class TItemSession;
    const TOneLangList& list(int column) const;

    std::vector<Handle> cells_;
};

} // namespace vantelo
