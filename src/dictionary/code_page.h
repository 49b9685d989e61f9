#pragma once

#include <string>
#include <string_view>

namespace vantelo {

// Dictionary texts are byte strings in one 8-bit code page; everything that
// leaves the core as Unicode (the screen, the Unicode file variant,
// spreadsheets) goes through here. Code pages are named as iconv knows them
// ("WINDOWS-1252", "UTF-8", "ISO-8859-2", "CP1251", ...); names with "//"
// suffixes are refused, as those would let iconv replace or drop characters.
//
// A text that cannot be converted exactly raises ELangException: nothing is
// ever replaced silently. The message quotes at most the first 40 bytes of the
// text in plain ASCII (other bytes as \xNN, other characters as \uNNNN), so it
// can be shown whatever the current code page is.
//
// Windows-1252 leaves 0x81, 0x8D, 0x8F, 0x90 and 0x9D undefined and iconv
// refuses them; here they stand for U+0081, U+008D, U+008F, U+0090 and U+009D
// and back, so that every byte string in that code page round-trips.
//
// Not thread-safe: the code page and the cached iconv descriptors are shared
// by the process.
class CodePage {
public:
    static constexpr std::string_view Default = "WINDOWS-1252";

    // The process-wide code page of dictionary texts.
    static const std::string& Current();
    // Throws ELangException when iconv does not know the name, or when the code
    // page does not keep ASCII as it is (UTF-16, EBCDIC, ...): dictionary texts
    // are 8-bit byte strings with ASCII punctuation and digits.
    static void SetCurrent(std::string name);

    // Conversions from and to the current code page. UTF-16 is in host order.
    static std::u16string ToUtf16(std::string_view text);
    static std::string FromUtf16(std::u16string_view text);
    static std::string ToUtf8(std::string_view text);
    static std::string FromUtf8(std::string_view utf8);

    // The same with an explicit code page.
    static std::u16string ToUtf16(std::string_view codePage, std::string_view text);
    static std::string FromUtf16(std::string_view codePage, std::u16string_view text);
    static std::string ToUtf8(std::string_view codePage, std::string_view text);
    static std::string FromUtf8(std::string_view codePage, std::string_view utf8);
};

} // namespace vantelo
