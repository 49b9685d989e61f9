#pragma once

#include <QString>
#include <functional>

class QObject;

namespace vantelo {

class TLanguage;
class TVantelo;

// How a text came back from a translation.
enum TStatusTranslate {
    stTranslated = 0,      // a translation was found
    stNotFound = 1,        // none was found; the result is the text itself
    stOtherDictionary = 2, // found in another loaded dictionary (AllFind)
};

// The component's events. Parameters a handler may change are references.
//
// Before a language change. `lng` is the language shown before the current
// one; the handler may point `NewLng` at another descriptor, or veto the
// change by clearing `CanChange`.
using TLangEventBefore = std::function<void(TVantelo* Sender, const TLanguage& lng,
                                            const TLanguage*& NewLng, bool& CanChange)>;
// After a language change. `lng` is the component's PreviousLanguage itself.
using TLangEventAfter =
    std::function<void(TVantelo* Sender, TLanguage& lng, const TLanguage*& NewLng)>;
// Before a text is translated into `lng`. `Sender` is the object the text
// belongs to, or null. The handler may change `Word`, or veto by clearing
// `CanTranslate` (the text then comes back as it was given, changes to
// `Word` dropped).
using TWordEventBefore = std::function<void(QObject* Sender, const TLanguage& lng, QString& Word,
                                            bool& CanTranslate)>;
// After a text was looked up: the handler sees the text and its result and
// may change both, and the status.
using TWordEventAfter =
    std::function<void(QObject* Sender, const TLanguage& lng, QString& Word,
                       QString& WordTranslete, TStatusTranslate& st)>;

} // namespace vantelo
