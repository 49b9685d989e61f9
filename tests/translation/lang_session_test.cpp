// The process's loaded dictionaries: one per file name, letter case aside.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "translation/lang_session.h"

using namespace vantelo;

namespace {

void addLanguages(TItemSession& dictionary, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        auto language = std::make_unique<TLanguage>();
        language->Name = name;
        ASSERT_NE(dictionary.AddLanguage(std::move(language)), nullptr);
    }
}

TEST(LangSessionTest, AFileNameIsRegisteredOnceWhateverItsLetterCase) {
    TLangSession sessions;
    EXPECT_EQ(sessions.AddSession("Editor.lgf"), 0);
    EXPECT_EQ(sessions.AddSession("other.lgf"), 1);
    TItemSession* editor = sessions.SessionAt(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_NE(sessions.SessionAt(1), editor);

    EXPECT_EQ(sessions.AddSession("EDITOR.LGF"), -1);
    EXPECT_EQ(sessions.Count(), 2);
    EXPECT_EQ(sessions.Strings(0), "Editor.lgf"); // the first spelling stays
    EXPECT_EQ(sessions.SessionAt(0), editor);     // and so does its dictionary
    EXPECT_EQ(sessions.IndexOf("editor.LGF"), 0);
    EXPECT_EQ(sessions.Find("editor.lgf"), editor);
    EXPECT_EQ(sessions.Find("missing.lgf"), nullptr);
    EXPECT_EQ(sessions.IndexOf("missing.lgf"), -1);
}

TEST(LangSessionTest, RemovingAFileNameDropsItsDictionaryOnly) {
    TLangSession sessions;
    sessions.AddSession("a.lgf");
    sessions.AddSession("b.lgf");
    TItemSession* b = sessions.SessionAt(1);

    sessions.RemoveSession("missing.lgf");
    EXPECT_EQ(sessions.Count(), 2);
    sessions.RemoveSession("A.LGF");
    ASSERT_EQ(sessions.Count(), 1);
    EXPECT_EQ(sessions.Strings(0), "b.lgf");
    EXPECT_EQ(sessions.SessionAt(0), b);

    // The name is free again: a new, empty dictionary comes in behind.
    EXPECT_EQ(sessions.AddSession("a.lgf"), 1);
    EXPECT_EQ(sessions.SessionAt(1)->LanguageCount(), 0);
}

TEST(LangSessionTest, PlainAddReservesANameWithoutDictionary) {
    TLangSession sessions;
    EXPECT_EQ(sessions.Add("reserved.lgf"), 0);
    EXPECT_EQ(sessions.SessionAt(0), nullptr);
    EXPECT_EQ(sessions.AddSession("Reserved.lgf"), -1);
    EXPECT_EQ(sessions.Find("reserved.lgf"), nullptr);
    EXPECT_EQ(sessions.FirstLanguageCounter(), 0);
    sessions.RemoveSession("reserved.lgf");
    EXPECT_EQ(sessions.Count(), 0);
}

TEST(LangSessionTest, FirstLanguageCounterReadsTheFirstDictionary) {
    TLangSession sessions;
    EXPECT_THROW(sessions.FirstLanguageCounter(), std::out_of_range);
    sessions.AddSession("first.lgf");
    sessions.AddSession("second.lgf");
    addLanguages(*sessions.SessionAt(0), {"English", "German"});
    addLanguages(*sessions.SessionAt(1), {"English", "German", "French"});
    EXPECT_EQ(sessions.FirstLanguageCounter(), 2);

    EXPECT_THROW(sessions.SessionAt(2), std::out_of_range);
    EXPECT_THROW(sessions.SessionAt(-1), std::out_of_range);
    EXPECT_THROW(sessions.Strings(2), std::out_of_range);
}

} // namespace
