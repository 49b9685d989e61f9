// Feeds arbitrary bytes to the whole-dictionary loader. Whatever it reads
// must survive a save and load unchanged: the writer is deterministic, so
// a save of what a save loads gives the same bytes again.
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

    // A line break stored as LF CR comes back as CR LF (both are kept as
    // one 0xB6 pair), which may move the text in its list once; after that
    // first round trip, saving and loading must change nothing.
    const std::string saved = first.SaveToBytes();
    TItemSession second;
    load(second, saved);
    fuzz::check(second.ColumnCount() == first.ColumnCount() &&
                    second.LineCount() == first.LineCount(),
                "a saved dictionary comes back with other columns or lines");
    const std::string savedAgain = second.SaveToBytes();
    if (!second.Modified)
        fuzz::check(savedAgain == saved, "load -> save -> load -> save is not a fixed point");
    TItemSession third;
    load(third, savedAgain);
    fuzz::check(!third.Modified, "a saved dictionary needed mending when loaded again");
    fuzz::check(third.SaveToBytes() == savedAgain, "save -> load -> save is not a fixed point");

    // The Unicode variant converts every stored text; a text the code page
    // cannot hold is refused with an ELangException, never a crash.
    try {
        (void)second.SaveToBytes(true);
    } catch (const ELangException&) {
    }
    return 0;
}
