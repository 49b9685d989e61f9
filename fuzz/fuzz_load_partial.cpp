// Feeds arbitrary bytes to the loaders that take only some columns: the
// languages only, chosen column indexes, or chosen column names.
//
// Input layout: byte 0 chooses the loader and its variations, byte 1 chooses
// the indexes or names, the rest is the stream.
//   byte 0 % 3: 0 = languages only, 1 = by indexes, 2 = by names
//   byte 0 bit 4: also ask for index -1 (or the empty name)
//   byte 0 bit 5: ask for the first index (or name) twice
//   byte 0 bit 6: also ask for an index (or a name) that no column has
//   byte 0 bit 7: pass the indexes (or names) in descending order
//   byte 1 bit i: ask for column index i (or the i-th name of the table below)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "fuzz_checks.h"

using namespace vantelo;

namespace {

enum class Mode { Languages, Indexes, Names };

// Names the seed dictionaries use, a case variant (names are matched
// exactly here) and short ones that mutated files are likely to hold.
const char* const NameTable[8] = {"English", "German", "French", "Note",
                                  "english", "A",      "B",      "Deutsch"};

template <typename T> void shape(std::vector<T>& values, uint8_t selector, T empty, T unknown) {
    if (selector & 0x10)
        values.push_back(empty);
    if ((selector & 0x20) && !values.empty())
        values.push_back(values.front());
    if (selector & 0x40)
        values.push_back(unknown);
    if (selector & 0x80)
        std::reverse(values.begin(), values.end());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint8_t selector = data[0];
    const uint8_t choice = data[1];
    const Mode mode = Mode(selector % 3);

    std::vector<int> indexes;
    std::vector<std::string> names;
    for (int i = 0; i < 8; ++i) {
        if (choice & (1u << i)) {
            indexes.push_back(i);
            names.emplace_back(NameTable[i]);
        }
    }
    shape<int>(indexes, selector, -1, 1000);
    shape<std::string>(names, selector, "", "Klingon");

    TItemSession dict;
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data + 2), size - 2));
    try {
        switch (mode) {
        case Mode::Languages:
            dict.LoadLanguagesFromStream(stream);
            break;
        case Mode::Indexes:
            dict.LoadFromStreamByIndexes(stream, indexes);
            break;
        case Mode::Names:
            dict.LoadFromStreamByNames(stream, names);
            break;
        }
    } catch (const ELangException&) {
        fuzz::check(dict.LineCount() == 0, "a failed load kept lines");
        return 0;
    }

    fuzz::checkLinkedDictionary(dict);

    // Only the columns asked for are taken, each at most once.
    const int columns = dict.ColumnCount();
    switch (mode) {
    case Mode::Languages:
        for (int c = 0; c < columns; ++c)
            fuzz::check(!dict.GetLanguages()[c].IsRemark,
                        "loading languages only took a remark column");
        break;
    case Mode::Indexes: {
        std::vector<int> distinct(indexes.begin(), indexes.end());
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        fuzz::check(columns <= int(distinct.size()),
                    "loading by indexes took more columns than asked for");
        break;
    }
    case Mode::Names:
        for (int c = 0; c < columns; ++c) {
            const std::string& name = dict.GetLanguages()[c].Name;
            fuzz::check(std::find(names.begin(), names.end(), name) != names.end(),
                        "loading by names took a column not asked for");
            for (int d = 0; d < c; ++d)
                fuzz::check(dict.GetLanguages()[d].Name != name,
                            "loading by names took a name twice");
        }
        break;
    }
    return 0;
}
