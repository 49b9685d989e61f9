// Feeds arbitrary bytes to the whole-dictionary loader. Whatever it reads
// must survive saving and loading: the same columns and lines come back,
// and repeated round trips settle on the same bytes.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "fuzz_checks.h"

using namespace vantelo;

namespace {
void load(TItemSession& d, const std::string& bytes) {
    std::istringstream stream(bytes);
    try {
        d.LoadFromStream(stream);
    } catch (const ELangException&) {
        fuzz::fail("a saved dictionary cannot be loaded again");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TItemSession first;
    {
        std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
        try {
            first.LoadFromStream(stream);
        } catch (const ELangException&) {
            fuzz::check(first.LineCount() == 0, "a failed load kept lines");
            return 0;
        }
    }
    fuzz::checkLinkedDictionary(first);

    // Stored texts keep a line break as a pair of 0xB6 bytes, so a text
    // that holds LF CR, or 0xB6 beside a line break, reads back a little
    // different (LF CR becomes CR LF) and may move in its list. That settles
    // within a few round trips; after that saving and loading change nothing.
    std::string saved = first.SaveToBytes();
    bool settled = false;
    for (int round = 0; round < 4 && !settled; ++round) {
        TItemSession next;
        load(next, saved);
        fuzz::check(next.ColumnCount() == first.ColumnCount() && next.LineCount() == first.LineCount(),
                    "a saved dictionary comes back with other columns or lines");
        fuzz::checkLinkedDictionary(next);
        std::string again = next.SaveToBytes();
        settled = again == saved && !next.Modified;
        saved = std::move(again);
    }
    fuzz::check(settled, "save -> load -> save does not settle");

    // The Unicode variant converts every stored text; a text the code page
    // cannot hold is refused with an ELangException, never a crash.
    try {
        (void)first.SaveToBytes(true);
    } catch (const ELangException&) {
    }
    return 0;
}
