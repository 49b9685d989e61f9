#include "dictionary/one_lang_list.h"

#include <algorithm>
#include <stdexcept>

#include "dictionary/lang_exception.h"

namespace vantelo {

bool TOneLangList::before(Handle a, Handle b) const {
    const int c = texts_[a].compare(texts_[b]);
    if (c != 0)
        return c < 0;
    return seq_[a] > seq_[b];
}

TOneLangList::Handle TOneLangList::newHandle(std::string text, TLanguageItem* owner, int64_t seq) {
    Handle h;
    if (!free_.empty()) {
        h = free_.back();
        free_.pop_back();
        texts_[h] = std::move(text);
        owners_[h] = owner;
        seq_[h] = seq;
        pos_[h] = -1;
        dead_[h] = 0;
    } else {
        if (texts_.size() >= NoHandle)
            throw std::length_error("too many texts in one column");
        h = Handle(texts_.size());
        texts_.push_back(std::move(text));
        owners_.push_back(owner);
        seq_.push_back(seq);
        pos_.push_back(-1);
        dead_.push_back(0);
    }
    return h;
}

void TOneLangList::release(Handle h) const {
    std::string().swap(texts_[h]);
    owners_[h] = nullptr;
    pos_[h] = -1;
    dead_[h] = 0;
    free_.push_back(h);
}

void TOneLangList::settle() const {
    if (pending_.empty() && deadCount_ == 0)
        return;

    if (pendingDead_ != 0) {
        auto keep = std::remove_if(pending_.begin(), pending_.end(), [this](Handle h) {
            if (!dead_[h])
                return false;
            release(h);
            return true;
        });
        pending_.erase(keep, pending_.end());
        pendingDead_ = 0;
    }
    auto less = [this](Handle a, Handle b) { return before(a, b); };
    std::sort(pending_.begin(), pending_.end(), less);

    size_t start = deadCount_ != 0 ? firstDead_ : order_.size();
    if (!pending_.empty()) {
        auto at = std::lower_bound(order_.begin(), order_.end(), pending_.front(), less);
        start = std::min(start, size_t(at - order_.begin()));
    }

    if (deadCount_ == 0 && pending_.size() == 1) {
        // The everyday single edit: one shift instead of a merge.
        order_.insert(order_.begin() + std::ptrdiff_t(start), pending_.front());
    } else {
        std::vector<Handle> tail;
        tail.reserve(order_.size() - start + pending_.size());
        auto p = pending_.begin();
        for (size_t i = start; i < order_.size(); ++i) {
            const Handle h = order_[i];
            if (dead_[h]) {
                release(h);
                continue;
            }
            while (p != pending_.end() && before(*p, h))
                tail.push_back(*p++);
            tail.push_back(h);
        }
        tail.insert(tail.end(), p, pending_.end());
        order_.resize(start);
        order_.insert(order_.end(), tail.begin(), tail.end());
    }
    for (size_t i = start; i < order_.size(); ++i)
        pos_[order_[i]] = int32_t(i);
    pending_.clear();
    deadCount_ = 0;
    firstDead_ = SIZE_MAX;
}

TOneLangList::Handle TOneLangList::Insert(std::string text, TLanguageItem* owner) {
    const Handle h = newHandle(std::move(text), owner, nextSeq_++);
    pending_.push_back(h);
    return h;
}

void TOneLangList::Remove(Handle h) {
    if (h >= texts_.size() || dead_[h])
        throw std::out_of_range("text handle out of range");
    dead_[h] = 1;
    owners_[h] = nullptr;
    if (pos_[h] < 0) {
        ++pendingDead_;
    } else {
        ++deadCount_;
        firstDead_ = std::min(firstDead_, size_t(pos_[h]));
    }
}

int TOneLangList::PositionOf(Handle h) const {
    if (h == NoHandle)
        return -1;
    settle();
    if (h >= texts_.size())
        throw std::out_of_range("text handle out of range");
    return pos_[h];
}

TOneLangList::Handle TOneLangList::HandleAt(int position) const {
    settle();
    if (position < 0 || size_t(position) >= order_.size())
        throw std::out_of_range("text position out of range");
    return order_[size_t(position)];
}

int TOneLangList::Add(std::string text) { return PositionOf(Insert(std::move(text), nullptr)); }

int TOneLangList::AddObject(std::string text, TLanguageItem* item) {
    return PositionOf(Insert(std::move(text), item));
}

bool TOneLangList::Find(std::string_view text, int& position) const {
    settle();
    auto at = std::lower_bound(order_.begin(), order_.end(), text,
                               [this](Handle h, std::string_view t) { return std::string_view(texts_[h]) < t; });
    position = int(at - order_.begin());
    return at != order_.end() && texts_[*at] == text;
}

int TOneLangList::IndexOf(std::string_view text) const {
    int position;
    return Find(text, position) ? position : -1;
}

const std::string& TOneLangList::TextAt(int position) const {
    settle();
    if (position < 0 || size_t(position) >= order_.size())
        throw ELangException::Format(messages::ElementNotFound, std::to_string(position));
    return texts_[order_[size_t(position)]];
}

TLanguageItem* TOneLangList::ObjectAt(int position) const { return owners_[HandleAt(position)]; }

void TOneLangList::SetObjectAt(int position, TLanguageItem* item) { owners_[HandleAt(position)] = item; }

TOneLangList::Handle TOneLangList::AppendStored(std::string text) {
    settle();
    const Handle h = newHandle(std::move(text), nullptr, storedSeq_--);
    pos_[h] = int32_t(order_.size());
    order_.push_back(h);
    return h;
}

bool TOneLangList::IsInByteOrder() const {
    settle();
    for (size_t i = 1; i < order_.size(); ++i)
        if (texts_[order_[i]] < texts_[order_[i - 1]])
            return false;
    return true;
}

void TOneLangList::SortStored() {
    settle();
    std::stable_sort(order_.begin(), order_.end(),
                     [this](Handle a, Handle b) { return texts_[a] < texts_[b]; });
    // Renumber the sequence so that the order of equal texts stays as it is now.
    storedSeq_ = -1;
    for (size_t i = 0; i < order_.size(); ++i) {
        seq_[order_[i]] = storedSeq_--;
        pos_[order_[i]] = int32_t(i);
    }
}

void TOneLangList::Clear() {
    texts_.clear();
    owners_.clear();
    seq_.clear();
    pos_.clear();
    dead_.clear();
    free_.clear();
    order_.clear();
    pending_.clear();
    deadCount_ = pendingDead_ = 0;
    firstDead_ = SIZE_MAX;
    nextSeq_ = 0;
    storedSeq_ = -1;
}

} // namespace vantelo
