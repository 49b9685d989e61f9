#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/item_session.h"

namespace vantelo {

// The dictionaries loaded by the translation components of this process, each
// under the file name it was loaded from. The list keeps the order of
// loading; a file name is looked up without regard to letter case and the
// first match wins. The list owns its dictionaries: removing an entry, or
// destroying the list, destroys the dictionary.
//
// Indexes outside the list raise std::out_of_range.
class TLangSession {
public:
    TLangSession() = default;
    virtual ~TLangSession();
    TLangSession(const TLangSession&) = delete;
    TLangSession& operator=(const TLangSession&) = delete;

    // The LanguageCounter of the dictionary at position 0; 0 when that entry
    // holds no dictionary, std::out_of_range when the list is empty.
    virtual int FirstLanguageCounter() const;
    // Appends a new, empty dictionary under `fileName` and returns its
    // position, or -1 (and adds nothing) when the name is already there.
    virtual int AddSession(const std::string& fileName);
    // Destroys the dictionary registered under `fileName` and removes its
    // entry; an unknown name is ignored.
    virtual void RemoveSession(std::string_view fileName);
    // The plain list append: the name with no dictionary attached.
    virtual int Add(const std::string& fileName);

    int Count() const { return int(entries_.size()); }
    int IndexOf(std::string_view fileName) const;
    const std::string& Strings(int index) const { return entry(index).fileName; }
    // The dictionary at a position (null for an entry made by Add).
    TItemSession* SessionAt(int index) const { return entry(index).session.get(); }
    // The dictionary registered under `fileName`, or null.
    TItemSession* Find(std::string_view fileName) const;

private:
    struct Entry {
        std::string fileName;
        std::unique_ptr<TItemSession> session;
    };
    const Entry& entry(int index) const;

    std::vector<Entry> entries_;
};

} // namespace vantelo
