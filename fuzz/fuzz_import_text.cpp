// Feeds arbitrary bytes to the tagged text import, into an empty dictionary
// and into one that already has columns. Whatever it reads must leave a
// consistent dictionary that exports and reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "fuzz_checks.h"

using namespace vantelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int withColumns = 0; withColumns < 2; ++withColumns) {
        TItemSession d;
        if (withColumns) {
            for (const char* name : {"English", "Note", "German"}) {
                auto l = std::make_unique<TLanguage>();
                l->Name = name;
                l->ExportStr = std::string("-") + name + ":";
                l->IsRemark = name[0] == 'N';
                d.AddLanguage(std::move(l));
            }
            d.AddWord({"Hello", "", "Hallo"});
        }
        d.ImportTextBytes(bytes);
        fuzz::checkLinkedDictionary(d);

        TItemSession again;
        again.ImportTextBytes(d.ExportTextBytes());
        fuzz::checkLinkedDictionary(again);
        fuzz::check(again.LineCount() <= d.LineCount(), "an export reads back with more lines");
        if (d.ColumnCount() > 0)
            (void)d.ExportSortedTextBytes(d.GetLanguages()[0]);
    }
    return 0;
}
