// Texts between the screen and the dictionary's code page: exact or refused.
#include <gtest/gtest.h>

#include <QString>

#include "dictionary/code_page.h"
#include "dictionary/lang_exception.h"
#include "translation/dictionary_text.h"

using namespace vantelo;

namespace {

class DictionaryTextTest : public ::testing::Test {
protected:
    void TearDown() override { CodePage::SetCurrent(std::string(CodePage::Default)); }
};

TEST_F(DictionaryTextTest, TextsRoundTripThroughTheCodePage) {
    CodePage::SetCurrent("WINDOWS-1252");
    const QString text = QStringLiteral("Grüße – 5 €");
    const std::string bytes = ToDictionaryText(text);
    EXPECT_EQ(bytes, "Gr\xFC\xDF\x65 \x96 5 \x80");
    EXPECT_EQ(FromDictionaryText(bytes), text);
    EXPECT_EQ(FromDictionaryText(""), "");

    CodePage::SetCurrent("UTF-8");
    const QString greek = QStringLiteral("Ωμέγα 😀");
    EXPECT_EQ(FromDictionaryText(ToDictionaryText(greek)), greek);
}

TEST_F(DictionaryTextTest, WhatTheCodePageCannotHoldIsRefused) {
    CodePage::SetCurrent("WINDOWS-1252");
    EXPECT_THROW(ToDictionaryText(QStringLiteral("Ωμέγα")), ELangException);

    CodePage::SetCurrent("UTF-8");
    const QString unpaired(QChar(0xD800));
    EXPECT_THROW(ToDictionaryText(unpaired), ELangException);
    EXPECT_THROW(FromDictionaryText("bad \xC3"), ELangException);
}

} // namespace
