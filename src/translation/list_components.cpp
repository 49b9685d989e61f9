#include "translation/list_components.h"

#include "dictionary/text_case.h"

namespace vantelo {

int TListComponents::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (SameText(entries_[i].name, name))
            return int(i);
    return -1;
}

int TListComponents::Add(std::string name) {
    entries_.push_back({std::move(name), nullptr});
    return Count() - 1;
}

void TListComponents::Insert(int index, std::string name) {
    if (index < 0 || index > Count())
        throw std::out_of_range("list index out of range");
    entries_.insert(entries_.begin() + index, Entry{std::move(name), nullptr});
}

void TListComponents::Delete(int index) {
    entry(index);
    entries_.erase(entries_.begin() + index);
}

void TListComponents::ClearObjects() {
    for (auto& e : entries_)
        e.snapshot.reset();
}

std::vector<std::string> TListComponents::Names() const {
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (const auto& e : entries_)
        names.push_back(e.name);
    return names;
}

void TListComponents::Assign(const std::vector<std::string>& names) {
    std::vector<Entry> next;
    next.reserve(names.size());
    for (const auto& name : names) {
        std::unique_ptr<TComponentSnapshot> snapshot;
        if (const int old = IndexOf(name); old >= 0)
            snapshot = std::move(entries_[size_t(old)].snapshot);
        next.push_back({name, std::move(snapshot)});
    }
    entries_ = std::move(next);
}

} // namespace vantelo
