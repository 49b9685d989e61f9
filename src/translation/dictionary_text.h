#pragma once

#include <QString>
#include <string>

namespace vantelo {

// Texts cross between the screen (QString) and the dictionary (bytes in the
// dictionary code page, CodePage::Current) only here. Both directions raise
// ELangException rather than replace anything: when the code page cannot
// hold a character, when the QString is not valid UTF-16 (an unpaired
// surrogate), or when the bytes are not valid in a multi-byte code page.
std::string ToDictionaryText(const QString& text);
QString FromDictionaryText(const std::string& text);

} // namespace vantelo
