#pragma once

#include <string>

#include "dictionary/lang_exception.h"

namespace vantelo::testing {

// The message of the ELangException the call raises, or a marker when it
// raises none, so a test can compare messages character for character.
template <class F> std::string LangMessage(F&& f) {
    try {
        f();
    } catch (const ELangException& e) {
        return e.what();
    }
    return "<no ELangException>";
}

} // namespace vantelo::testing
