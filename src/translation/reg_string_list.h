#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "translation/reg_obj.h"

class QMetaObject;
class QObject;

namespace vantelo {

// The translatable classes: an ordered list of registrations under the
// upper-cased class names, owning its TRegObj records. Names are looked up
// without regard to letter case. The order matters: FindRegistration answers
// the first registration that fits an object, so RegisterTranslatedClass
// keeps every class in front of its registered ancestors.
//
// Indexes outside the list raise std::out_of_range.
class TRegStringList {
public:
    TRegStringList() = default;
    TRegStringList(const TRegStringList&) = delete;
    TRegStringList& operator=(const TRegStringList&) = delete;

    // Registers `classType` with its translatable properties and returns
    // the registration's position:
    // - a class registered already keeps its position and gets the new
    //   property names;
    // - otherwise the class goes just in front of its nearest registered
    //   ancestor (nearest in the chain of base classes);
    // - otherwise it is appended (behind any registered descendants).
    int RegisterTranslatedClass(const QMetaObject& classType,
                                std::vector<std::string> propertyNames);
    // The position of the first registration whose class is the object's
    // class or one of its base classes; -1 when none fits or `object` is null.
    int FindRegistration(const QObject* object) const;
    // The registrations of the widget classes a window is made of; see
    // docs/translation-on-qt.md for the table and the resulting order.
    void RegisterStandardClasses();

    int Count() const { return int(entries_.size()); }
    // The upper-cased class name at a position.
    const std::string& Strings(int index) const { return entry(index).name; }
    const TRegObj& Objects(int index) const { return *entry(index).registration; }
    int IndexOf(std::string_view className) const;

private:
    struct Entry {
        std::string name;
        std::unique_ptr<TRegObj> registration;
    };
    const Entry& entry(int index) const;

    std::vector<Entry> entries_;
};

} // namespace vantelo
