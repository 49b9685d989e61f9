#include "translation/dictionary_text.h"

#include <string_view>

#include "dictionary/code_page.h"

namespace vantelo {

// QString holds UTF-16 in host order, which is what the code-page module
// takes and gives.
std::string ToDictionaryText(const QString& text) {
    return CodePage::FromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
}

QString FromDictionaryText(const std::string& text) {
    const std::u16string utf16 = CodePage::ToUtf16(text);
    return QString(reinterpret_cast<const QChar*>(utf16.data()), qsizetype(utf16.size()));
}

} // namespace vantelo
