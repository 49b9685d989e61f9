#include "translation/lang_session.h"

#include <stdexcept>

#include "dictionary/text_case.h"

namespace vantelo {

TLangSession::~TLangSession() {
    // Later dictionaries go first, as a list frees its entries from the end.
    while (!entries_.empty())
        entries_.pop_back();
}

int TLangSession::FirstLanguageCounter() const {
    const auto* session = SessionAt(0);
    return session ? session->LanguageCounter() : 0;
}

int TLangSession::AddSession(const std::string& fileName) {
    if (IndexOf(fileName) >= 0)
        return -1;
    entries_.push_back({fileName, std::make_unique<TItemSession>()});
    return Count() - 1;
}

void TLangSession::RemoveSession(std::string_view fileName) {
    const int index = IndexOf(fileName);
    if (index >= 0)
        entries_.erase(entries_.begin() + index);
}

int TLangSession::Add(const std::string& fileName) {
    entries_.push_back({fileName, nullptr});
    return Count() - 1;
}

int TLangSession::IndexOf(std::string_view fileName) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (SameText(entries_[i].fileName, fileName))
            return int(i);
    return -1;
}

TItemSession* TLangSession::Find(std::string_view fileName) const {
    const int index = IndexOf(fileName);
    return index >= 0 ? entries_[size_t(index)].session.get() : nullptr;
}

const TLangSession::Entry& TLangSession::entry(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("language session index out of range");
    return entries_[size_t(index)];
}

} // namespace vantelo
