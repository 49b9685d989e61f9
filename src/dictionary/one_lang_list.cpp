#include "dictionary/one_lang_list.h"

#include <algorithm>
#include <stdexcept>

#include "dictionary/lang_exception.h"

namespace vantelo {

namespace {
// Up to this many edits between two looks are applied one by one (a binary
// search and a shift each); more are merged in a single pass.
constexpr size_t FewEdits = 16;
} // namespace

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
        state_[h] = Pending;
    } else {
        if (texts_.size() >= NoHandle)
            throw std::length_error("too many texts in one column");
        h = Handle(texts_.size());
        texts_.push_back(std::move(text));
        owners_.push_back(owner);
        seq_.push_back(seq);
        pos_.push_back(-1);
        state_.push_back(Pending);
    }
    return h;
}

void TOneLangList::release(Handle h) const {
    std::string().swap(texts_[h]);
    owners_[h] = nullptr;
    pos_[h] = -1;
    state_[h] = DeadPlaced;
    free_.push_back(h);
}

size_t TOneLangList::locate(Handle h) const {
    const int32_t cached = pos_[h];
    if (cached >= 0 && size_t(cached) < order_.size() && order_[size_t(cached)] == h)
        return size_t(cached);
    // The order is strict (no two handles share text and sequence), so the
    // lower bound of a placed handle is the handle itself.
    auto at = std::lower_bound(order_.begin(), order_.end(), h,
                               [this](Handle a, Handle b) { return before(a, b); });
    return size_t(at - order_.begin());
}

void TOneLangList::placeFew() const {
    for (const Handle h : pending_) {
        auto at = std::lower_bound(order_.begin(), order_.end(), h,
                                   [this](Handle a, Handle b) { return before(a, b); });
        dirtyFrom_ = std::min(dirtyFrom_, size_t(at - order_.begin()));
        order_.insert(at, h);
        state_[h] = Placed;
    }
}

void TOneLangList::placeMany() const {
    auto less = [this](Handle a, Handle b) { return before(a, b); };
    std::sort(pending_.begin(), pending_.end(), less);
    // Where each new entry goes among the old ones; the searches narrow as
    // the new entries are in order themselves.
    std::vector<size_t> at(pending_.size());
    auto from = order_.begin();
    for (size_t k = 0; k < pending_.size(); ++k) {
        from = std::lower_bound(from, order_.end(), pending_[k], less);
        at[k] = size_t(from - order_.begin());
    }
    const size_t start = at.front();
    std::vector<Handle> tail;
    tail.reserve(order_.size() - start + pending_.size());
    size_t k = 0;
    for (size_t i = start; i < order_.size(); ++i) {
        while (k < pending_.size() && at[k] == i)
            tail.push_back(pending_[k++]);
        tail.push_back(order_[i]);
    }
    while (k < pending_.size())
        tail.push_back(pending_[k++]);
    order_.resize(start);
    order_.insert(order_.end(), tail.begin(), tail.end());
    for (const Handle h : pending_)
        state_[h] = Placed;
    dirtyFrom_ = std::min(dirtyFrom_, start);
}

void TOneLangList::settle() const {
    recentRemovals_ = 0;
    if (pending_.empty() && deadCount_ == 0)
        return;

    if (pendingDead_ != 0) {
        std::erase_if(pending_, [this](Handle h) {
            if (state_[h] != DeadPending)
                return false;
            release(h);
            return true;
        });
        pendingDead_ = 0;
    }
    if (deadCount_ != 0) {
        auto first = order_.begin() + std::ptrdiff_t(firstDead_);
        auto kept = std::remove_if(first, order_.end(), [this](Handle h) {
            if (state_[h] != DeadPlaced)
                return false;
            release(h);
            return true;
        });
        order_.erase(kept, order_.end());
        dirtyFrom_ = std::min(dirtyFrom_, firstDead_);
        deadCount_ = 0;
        firstDead_ = SIZE_MAX;
    }
    if (pending_.size() <= FewEdits)
        placeFew();
    else
        placeMany();
    pending_.clear();
}

TOneLangList::Handle TOneLangList::Insert(std::string text, TLanguageItem* owner) {
    const Handle h = newHandle(std::move(text), owner, nextSeq_++);
    pending_.push_back(h);
    return h;
}

void TOneLangList::Remove(Handle h) {
    if (h >= texts_.size() || state_[h] == DeadPlaced || state_[h] == DeadPending)
        throw std::out_of_range("text handle out of range");
    owners_[h] = nullptr;
    if (state_[h] == Pending) {
        state_[h] = DeadPending;
        ++pendingDead_;
        return;
    }
    const size_t at = locate(h);
    if (deadCount_ == 0 && recentRemovals_ < FewEdits) {
        // A single edit: shift the list now rather than sweep it later.
        order_.erase(order_.begin() + std::ptrdiff_t(at));
        release(h);
        dirtyFrom_ = std::min(dirtyFrom_, at);
        ++recentRemovals_;
        return;
    }
    state_[h] = DeadPlaced;
    ++deadCount_;
    firstDead_ = std::min(firstDead_, at);
}

int TOneLangList::PositionOf(Handle h) const {
    if (h == NoHandle)
        return -1;
    settle();
    if (h >= texts_.size() || state_[h] != Placed)
        throw std::out_of_range("text handle out of range");
    if (dirtyFrom_ < order_.size()) {
        const int32_t cached = pos_[h];
        if (cached < 0 || size_t(cached) >= dirtyFrom_ || order_[size_t(cached)] != h) {
            for (size_t i = dirtyFrom_; i < order_.size(); ++i)
                pos_[order_[i]] = int32_t(i);
            dirtyFrom_ = SIZE_MAX;
        }
    }
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
    auto at = std::lower_bound(order_.begin(), order_.end(), text, [this](Handle h, std::string_view t) {
        return std::string_view(texts_[h]) < t;
    });
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
    state_[h] = Placed;
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
    dirtyFrom_ = SIZE_MAX;
}

void TOneLangList::Clear() {
    texts_.clear();
    owners_.clear();
    seq_.clear();
    pos_.clear();
    state_.clear();
    free_.clear();
    order_.clear();
    pending_.clear();
    deadCount_ = pendingDead_ = recentRemovals_ = 0;
    firstDead_ = dirtyFrom_ = SIZE_MAX;
    nextSeq_ = 0;
    storedSeq_ = -1;
}

} // namespace vantelo
