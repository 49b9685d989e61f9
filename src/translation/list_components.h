#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "translation/component_snapshot.h"

namespace vantelo {

// The names of the components a translation component keeps translated,
// each with its snapshot once one was taken. Names are looked up without
// regard to letter case (a to z); the first match wins. Indexes outside the
// list raise std::out_of_range.
class TListComponents {
public:
    int Count() const { return int(entries_.size()); }
    bool IsEmpty() const { return entries_.empty(); }
    const std::string& Strings(int index) const { return entry(index).name; }
    // The entry's snapshot, or null.
    TComponentSnapshot* Objects(int index) const { return entry(index).snapshot.get(); }
    void SetObject(int index, std::unique_ptr<TComponentSnapshot> snapshot) {
        entry(index).snapshot = std::move(snapshot);
    }
    int IndexOf(std::string_view name) const;

    int Add(std::string name);
    void Insert(int index, std::string name);
    void Delete(int index);
    void Clear() { entries_.clear(); }
    // Drops every snapshot and keeps the names.
    void ClearObjects();

    std::vector<std::string> Names() const;
    // Takes these names. A name that was listed before keeps its snapshot.
    void Assign(const std::vector<std::string>& names);

private:
    struct Entry {
        std::string name;
        std::unique_ptr<TComponentSnapshot> snapshot;
    };
    Entry& entry(int index) { return entries_.at(size_t(index)); }
    const Entry& entry(int index) const { return entries_.at(size_t(index)); }

    std::vector<Entry> entries_;
};

} // namespace vantelo
