#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/item_session.h"

namespace vantelo {

class TLanguage;

// A dictionary line recorded for a text, kept together with its
// dictionary's line guard. Line() answers the line only while it still
// exists; once its dictionary is gone or has removed lines, the reference
// is dropped for good and Line() answers null.
class TLineRef {
public:
    TLineRef() = default;
    explicit TLineRef(TLanguageItem* line);

    TLanguageItem* Line();
    // True when a line was recorded (whether or not it still exists).
    bool Recorded() const { return line_ != nullptr; }

private:
    TLanguageItem* line_ = nullptr;
    std::shared_ptr<const TLineGuard> guard_;
    uint64_t freedAt_ = 0;
};

// The lines recorded for one property: entry 0 for a string property, entry
// k for line k of a string list. An entry without a line stands for a text
// that was not found.
class TPropertySnapshot {
public:
    int Count() const { return int(lines_.size()); }
    // The entry's name, its position in decimal.
    std::string Strings(int index) const { return std::to_string(index); }
    void Add(TLanguageItem* line) { lines_.emplace_back(line); }
    // The text of entry `index` in `language`, or nullopt when the entry
    // does not exist, has no (living) line, or its line has no text there.
    // The language is looked up by name in the line's own dictionary, so a
    // line found in another dictionary answers in the right column.
    std::optional<std::string> Text(int index, const TLanguage& language);

private:
    std::vector<TLineRef> lines_;
};

// The snapshot of one listed component: a property snapshot per translated
// property, under the property's name.
class TComponentSnapshot {
public:
    int Count() const { return int(properties_.size()); }
    const std::string& Strings(int index) const { return properties_.at(size_t(index)).first; }
    TPropertySnapshot& Objects(int index) { return *properties_.at(size_t(index)).second; }
    // Position of a property, letter case aside; -1 when not recorded.
    int IndexOf(std::string_view propertyName) const;
    void Add(std::string propertyName, std::unique_ptr<TPropertySnapshot> snapshot) {
        properties_.emplace_back(std::move(propertyName), std::move(snapshot));
    }

private:
    std::vector<std::pair<std::string, std::unique_ptr<TPropertySnapshot>>> properties_;
};

} // namespace vantelo
