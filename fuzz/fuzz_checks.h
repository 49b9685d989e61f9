// Checks shared by the fuzz targets. A failed check prints what went wrong
// and traps, so libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <string>

#include "dictionary/item_session.h"

namespace vantelo::fuzz {

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

inline void check(bool ok, const char* what) {
    if (!ok)
        fail(what);
}

// What every loaded dictionary must satisfy, whatever bytes it came from:
// each line refers to texts that exist and that point back to it, every text
// belongs to a line (the loader drops the others), and each column's list is
// in byte order, which every binary search relies on.
inline void checkLinkedDictionary(const TItemSession& dict) {
    const int columns = dict.ColumnCount();
    for (const auto& line : dict.Lines()) {
        check(line->ColumnCount() == columns,
              "a line's column count differs from the dictionary's");
        for (int c = 0; c < columns; ++c) {
            const int p = line->GetPositionAt(c);
            check(p >= -1 && p < dict.TextList(c).Count(),
                  "a line's position is outside its text list");
            if (p >= 0)
                check(dict.TextList(c).ObjectAt(p) == line.get(),
                      "a line's text belongs to another line");
        }
    }
    for (int c = 0; c < columns; ++c) {
        const TOneLangList& texts = dict.TextList(c);
        for (int p = 0; p < texts.Count(); ++p) {
            const TLanguageItem* owner = texts.ObjectAt(p);
            check(owner != nullptr, "a text belongs to no line");
            check(owner->GetPositionAt(c) == p, "a text's line reports another position for it");
            if (p > 0)
                check(!(texts.TextAt(p) < texts.TextAt(p - 1)), "a text list is out of byte order");
        }
    }
}

} // namespace vantelo::fuzz
