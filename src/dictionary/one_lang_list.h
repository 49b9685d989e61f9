#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantelo {

class TLanguageItem;

// One column's texts, kept in byte order (unsigned bytes, case-sensitive,
// locale-free), duplicates allowed, each entry pointing back to the line that
// owns it.
//
// Entries are addressed two ways: by position (their place in the sorted
// order, what users and files see) and by handle (a stable slot number that
// lines hold). Equal texts are ordered newest first, which is exactly where
// a binary search for the leftmost equal text would insert a new one, so the
// order is (text ascending, insertion sequence descending) at all times.
// Insertions and removals are recorded and folded into the sorted order in
// one pass the next time a position or the order is asked for; a bulk load
// of many lines therefore costs one sort per column, not a pass over all
// lines per text, while every position reported is the one the plain
// insert-and-shift rules would give.
class TOneLangList {
public:
    using Handle = uint32_t;
    static constexpr Handle NoHandle = UINT32_MAX;

    explicit TOneLangList(std::string name = {}) : Name(std::move(name)) {}
    TOneLangList(const TOneLangList&) = delete;
    TOneLangList& operator=(const TOneLangList&) = delete;

    // The column's name when it was registered (not used for look-ups).
    std::string Name;

    int Count() const { return int(order_.size() + pending_.size()) - int(deadCount_ + pendingDead_); }

    // Inserts at the position Find reports, without owner; returns the position.
    int Add(std::string text);
    int AddObject(std::string text, TLanguageItem* item);
    // Binary search: the leftmost equal entry, or the insertion point.
    bool Find(std::string_view text, int& position) const;
    // The first entry equal to the text, or -1.
    int IndexOf(std::string_view text) const;
    // The list is always sorted; kept so that callers reading the described
    // steps of a loader find it.
    void Sort() {}
    // The text at a position; ELangException "Element with index ..." outside.
    const std::string& TextAt(int position) const;
    TLanguageItem* ObjectAt(int position) const;
    void SetObjectAt(int position, TLanguageItem* item);

    // Stable-handle interface used by the dictionary.
    Handle Insert(std::string text, TLanguageItem* owner);
    void Remove(Handle h);
    int PositionOf(Handle h) const;
    Handle HandleAt(int position) const;
    const std::string& TextOf(Handle h) const { return texts_.at(h); }
    TLanguageItem* OwnerOf(Handle h) const { return owners_.at(h); }
    void SetOwner(Handle h, TLanguageItem* owner) { owners_.at(h) = owner; }

    // Appends a text at the end of the order, as a loader reading a stored
    // sorted list does. Later insertions of an equal text go in front of it.
    Handle AppendStored(std::string text);
    // True when the order is by bytes (a loader checks what it appended).
    bool IsInByteOrder() const;
    // Sorts the entries by bytes, keeping the order of equal texts.
    void SortStored();

    void Clear();

private:
    enum State : uint8_t { Placed, Pending, DeadPlaced, DeadPending };

    bool before(Handle a, Handle b) const;
    Handle newHandle(std::string text, TLanguageItem* owner, int64_t seq);
    void settle() const;
    void release(Handle h) const;
    // Index of a placed handle in order_, from the cache or by binary search.
    size_t locate(Handle h) const;
    void placeFew() const;
    void placeMany() const;

    // Per-handle slots.
    mutable std::vector<std::string> texts_;
    mutable std::vector<TLanguageItem*> owners_;
    mutable std::vector<int64_t> seq_;  // newer entries have larger numbers
    mutable std::vector<int32_t> pos_;  // cached index in order_; trusted only when order_ agrees
    mutable std::vector<uint8_t> state_;
    mutable std::vector<Handle> free_;

    mutable std::vector<Handle> order_;   // sorted; may hold removed entries
    mutable std::vector<Handle> pending_; // inserted, not yet placed
    mutable size_t deadCount_ = 0;        // removed entries still in order_
    mutable size_t pendingDead_ = 0;      // removed entries still in pending_
    mutable size_t firstDead_ = SIZE_MAX; // smallest index of those in order_
    mutable size_t dirtyFrom_ = SIZE_MAX; // pos_ is right for every index below this
    mutable size_t recentRemovals_ = 0;   // removals done in place since the last settle
    int64_t nextSeq_ = 0;                 // for insertions: 0, 1, 2 ...
    int64_t storedSeq_ = -1;              // for stored entries: -1, -2, ... (older than any insertion)
};

} // namespace vantelo
