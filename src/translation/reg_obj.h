#pragma once

#include <string>
#include <vector>

class QMetaObject;

namespace vantelo {

// One translatable class: the class (its Qt meta-object, which stands for
// the class and its ancestry) and the names of its properties that hold
// translatable texts, in the order they were registered.
struct TRegObj {
    const QMetaObject* ClassType = nullptr;
    std::vector<std::string> PropertyNames;
};

} // namespace vantelo
