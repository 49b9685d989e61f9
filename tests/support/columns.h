#pragma once

#include <memory>
#include <string>

#include "dictionary/item_session.h"

namespace vantelo::testing {

// A column as most tests want one: titled "<name> title", so that messages
// show whether they quote the name or the title; tagged "-<name>:"; shown.
inline std::unique_ptr<TLanguage> Column(const std::string& name, bool remark = false) {
    auto column = std::make_unique<TLanguage>();
    column->Name = name;
    column->Title = name + " title";
    column->ExportStr = "-" + name + ":";
    column->IsRemark = remark;
    column->Shown = true;
    return column;
}

inline TLanguage& AddColumn(TItemSession& dictionary, const std::string& name,
                            bool remark = false) {
    return *dictionary.AddLanguage(Column(name, remark));
}

} // namespace vantelo::testing
