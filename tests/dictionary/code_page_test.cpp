// Conversions between the dictionary's code page and Unicode.
#include <gtest/gtest.h>

#include "support/lang_message.h"

#include <string>

#include "dictionary/code_page.h"
#include "dictionary/lang_exception.h"

using namespace vantelo;

namespace {

class CodePageTest : public ::testing::Test {
protected:
    void TearDown() override { CodePage::SetCurrent(std::string(CodePage::Default)); }
};

using vantelo::testing::LangMessage;

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += char(b);
    return bytes;
}

} // namespace

TEST_F(CodePageTest, EveryWindows1252ByteRoundTrips) {
    EXPECT_EQ(CodePage::Current(), "WINDOWS-1252");
    const std::string bytes = allBytes();
    const std::u16string utf16 = CodePage::ToUtf16(bytes);
    ASSERT_EQ(utf16.size(), 256u);
    EXPECT_EQ(utf16[0x41], u'A');
    EXPECT_EQ(utf16[0x80], u'\u20AC');
    EXPECT_EQ(utf16[0x9F], u'\u0178');
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(utf16[b], char16_t(b)) << b;
    EXPECT_EQ(CodePage::FromUtf16(utf16), bytes);

    const std::string utf8 = CodePage::ToUtf8(bytes);
    EXPECT_EQ(utf8.substr(0x80, 3), "\xE2\x82\xAC"); // after 0x80 one-byte characters
    EXPECT_EQ(CodePage::FromUtf8(utf8), bytes);
    EXPECT_EQ(CodePage::ToUtf8("\x81x\x9D"), "\xC2\x81x\xC2\x9D");

    // Byte by byte as well, and under another spelling of the name.
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, char(b));
        EXPECT_EQ(CodePage::FromUtf8("cp1252", CodePage::ToUtf8("cp1252", one)), one) << b;
    }
    // Other code pages keep their holes.
    EXPECT_NE(LangMessage([] { CodePage::ToUtf16("CP1250", "\x81"); }), "<no ELangException>");
}

TEST_F(CodePageTest, OtherCodePages) {
    EXPECT_EQ(CodePage::ToUtf8("CP1251", "\xC6\xF3\xEA"), "Жук");
    EXPECT_EQ(CodePage::FromUtf16("ISO-8859-2", u"Łódź"), "\xA3\xF3\x64\xBC");
    CodePage::SetCurrent("CP1251");
    EXPECT_EQ(CodePage::Current(), "CP1251");
    EXPECT_EQ(CodePage::ToUtf16("\xC6\xF3\xEA"), u"Жук");
    EXPECT_EQ(CodePage::FromUtf8("Жук"), "\xC6\xF3\xEA");

    CodePage::SetCurrent("UTF-8");
    EXPECT_EQ(CodePage::ToUtf16("Жук €😀"), u"Жук €😀");
    EXPECT_EQ(CodePage::FromUtf16(u"Жук €😀"), "Жук €😀");
    EXPECT_EQ(CodePage::ToUtf8("Жук €😀"), "Жук €😀");
}

TEST_F(CodePageTest, MalformedTextIsRefusedByName) {
    CodePage::SetCurrent("UTF-8");
    EXPECT_EQ(LangMessage([] { CodePage::FromUtf8("abc\xC3("); }),
              "Text \"abc\\xC3(\" is not valid UTF-8: bad sequence at position 4.");
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xE2\x82", "\xFF"}) {
        EXPECT_NE(LangMessage([&] { CodePage::ToUtf8(bad); }), "<no ELangException>") << bad;
        EXPECT_NE(LangMessage([&] { CodePage::ToUtf16(bad); }), "<no ELangException>") << bad;
    }
    // The same refusal when iconv meets it on the way to an 8-bit code page.
    EXPECT_EQ(LangMessage([] { CodePage::FromUtf8("WINDOWS-1252", "ab\xFF"); }),
              "Text \"ab\\xFF\" is not valid UTF-8: bad sequence at position 3.");
    EXPECT_EQ(LangMessage([] { CodePage::FromUtf16("WINDOWS-1252", u"ab\xD800z"); }),
              "Text \"ab\\uD800z\" is not valid UTF-16: bad sequence at position 3.");
    EXPECT_EQ(LangMessage([] { CodePage::ToUtf16("CP1250", "x\\\x81"); }),
              "Text \"x\\\\\\x81\" is not valid CP1250: bad sequence at position 3.");
}

TEST_F(CodePageTest, CharacterTheCodePageCannotHoldIsRefused) {
    const std::string expected =
        "Text \"\\u0416\\u0443\\u043A\" contains U+0416, which code page WINDOWS-1252 cannot hold.";
    EXPECT_EQ(LangMessage([] { CodePage::FromUtf16(u"Жук"); }), expected);
    EXPECT_EQ(LangMessage([] { CodePage::FromUtf8("Жук"); }), expected);
    EXPECT_EQ(LangMessage([] { CodePage::FromUtf8("CP1251", "€😀"); }),
              "Text \"\\u20AC\\U0001F600\" contains U+1F600, which code page CP1251 cannot hold.");
    // Only the first 40 bytes are quoted, even when the culprit comes later.
    const std::string message = LangMessage([] { CodePage::FromUtf8(std::string(50, 'x') + "Ж"); });
    EXPECT_EQ(message, "Text \"" + std::string(40, 'x') +
                           "...\" contains U+0416, which code page WINDOWS-1252 cannot hold.");
}

TEST_F(CodePageTest, UnknownCodePageIsRefused) {
    for (const char* name : {"NO-SUCH-PAGE", "", "WINDOWS-1252//TRANSLIT", "UTF-8//IGNORE"}) {
        EXPECT_EQ(LangMessage([&] { CodePage::SetCurrent(name); }),
                  "Code page \"" + std::string(name) + "\" is not supported.");
        // ASCII text must not slip past the check.
        EXPECT_NE(LangMessage([&] { CodePage::ToUtf8(name, "abc"); }), "<no ELangException>");
        EXPECT_NE(LangMessage([&] { CodePage::FromUtf16(name, u"abc"); }), "<no ELangException>");
    }
    // Known to iconv, but dictionary texts could not keep their ASCII in them.
    EXPECT_NE(LangMessage([] { CodePage::SetCurrent("UTF-16LE"); }), "<no ELangException>");
    EXPECT_NE(LangMessage([] { CodePage::SetCurrent("IBM037"); }), "<no ELangException>");
    EXPECT_EQ(CodePage::Current(), "WINDOWS-1252");
}

TEST_F(CodePageTest, AsciiShortcutOnlyWhereAsciiIsKept) {
    const std::string ascii = "Plain text, 0-9 ~\t\n";
    const std::u16string wide = u"Plain text, 0-9 ~\t\n";
    for (const char* page : {"WINDOWS-1252", "UTF-8", "ISO-8859-2", "GB18030"}) {
        EXPECT_EQ(CodePage::ToUtf16(page, ascii), wide) << page;
        EXPECT_EQ(CodePage::FromUtf16(page, wide), ascii) << page;
        EXPECT_EQ(CodePage::ToUtf8(page, ascii), ascii) << page;
        EXPECT_EQ(CodePage::FromUtf8(page, ascii), ascii) << page;
        // Same characters whether or not the text also holds non-ASCII ones.
        EXPECT_EQ(CodePage::ToUtf16(page, CodePage::FromUtf8(page, ascii + "é")), wide + u"é");
    }
    // Code pages where ASCII bytes mean something else.
    EXPECT_EQ(CodePage::ToUtf8("SHIFT_JIS", "~"), "\u203E");
    EXPECT_EQ(CodePage::FromUtf16("SHIFT_JIS", u"\u203E"), "~");
    EXPECT_EQ(CodePage::ToUtf8("IBM037", "A\xC1"), "\u00A0A");
    EXPECT_EQ(CodePage::ToUtf8("UTF-16LE", std::string("a\0b\0", 4)), "ab");
    EXPECT_EQ(CodePage::FromUtf16("UTF-16LE", u"a"), std::string("a\0", 2));
}

TEST_F(CodePageTest, LongTextsGrowTheBuffer) {
    std::string bytes;
    for (int i = 0; i < 400; ++i)
        bytes += allBytes();
    EXPECT_EQ(CodePage::FromUtf16(CodePage::ToUtf16(bytes)), bytes);
    EXPECT_EQ(CodePage::FromUtf8(CodePage::ToUtf8(bytes)), bytes);

    // Each byte takes three in UTF-8, or two for the filled-in ones.
    for (const char* fill : {"\x80", "\x81"}) {
        const std::string same(100000, fill[0]);
        const std::string utf8 = CodePage::ToUtf8(same);
        EXPECT_EQ(utf8.size(), same.size() * (fill[0] == '\x80' ? 3 : 2));
        EXPECT_EQ(CodePage::FromUtf8(utf8), same);
        EXPECT_EQ(CodePage::FromUtf16(CodePage::ToUtf16(same)), same);
    }
    std::u16string euros(50000, u'€');
    EXPECT_EQ(CodePage::FromUtf16("UTF-8", euros).size(), euros.size() * 3);
    EXPECT_EQ(CodePage::ToUtf16("UTF-8", CodePage::FromUtf16("UTF-8", euros)), euros);
    EXPECT_EQ(CodePage::ToUtf16("GB18030", CodePage::FromUtf16("GB18030", euros + u"\u0080")),
              euros + u"\u0080");
}
