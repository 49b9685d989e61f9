// A column's sorted text list and the lines that point into it.
#include <gtest/gtest.h>

#include "support/lang_message.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "dictionary/language_item.h"
#include "dictionary/one_lang_list.h"

using namespace vantelo;

namespace {

std::vector<std::string> texts(const TOneLangList& list) {
    std::vector<std::string> result;
    for (int p = 0; p < list.Count(); ++p)
        result.push_back(list.TextAt(p));
    return result;
}

using vantelo::testing::LangMessage;

TLanguage& addColumn(TItemSession& d, const std::string& name, bool remark = false) {
    auto l = std::make_unique<TLanguage>();
    l->Name = name;
    l->Title = name;
    l->IsRemark = remark;
    return *d.AddLanguage(std::move(l));
}

} // namespace

TEST(OneLangList, SortsByUnsignedBytes) {
    TOneLangList list;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Add("B"), 0);
    EXPECT_EQ(texts(list), (std::vector<std::string>{"B", "a", "b"}));

    // A prefix sorts first; bytes above 127 sort after every letter.
    EXPECT_EQ(list.Add("ab"), 2);
    EXPECT_EQ(list.Add("\xB6\xB6"), 4);
    EXPECT_EQ(list.Add("z"), 4);
    EXPECT_EQ(list.Add("a\r\nb"), 2);
    EXPECT_EQ(texts(list),
              (std::vector<std::string>{"B", "a", "a\r\nb", "ab", "b", "z", "\xB6\xB6"}));
}

TEST(OneLangList, EqualTextGoesInFrontOfItsEquals) {
    TLanguageItem first, second;
    TOneLangList list;
    EXPECT_EQ(list.AddObject("Open", &first), 0);
    EXPECT_EQ(list.AddObject("Open", &second), 0);
    EXPECT_EQ(list.ObjectAt(0), &second);
    EXPECT_EQ(list.ObjectAt(1), &first);

    EXPECT_EQ(list.Add("Open"), 0);
    EXPECT_EQ(list.ObjectAt(0), nullptr);
    EXPECT_EQ(list.ObjectAt(2), &first);

    EXPECT_EQ(list.Add("Close"), 0);
    int p = -7;
    EXPECT_TRUE(list.Find("Open", p));
    EXPECT_EQ(p, 1); // the leftmost of the three
    EXPECT_EQ(list.IndexOf("Open"), 1);
    EXPECT_FALSE(list.Find("Opel", p));
    EXPECT_EQ(p, 1);
    EXPECT_FALSE(list.Find("open", p)); // case matters
    EXPECT_EQ(p, 4);
    EXPECT_EQ(list.IndexOf("open"), -1);
    EXPECT_EQ(list.IndexOf("Ope"), -1);
}

TEST(OneLangList, LookUpsOnEmptyListAndBadPositions) {
    TOneLangList list;
    int p = 99;
    EXPECT_FALSE(list.Find("x", p));
    EXPECT_EQ(p, 0);
    EXPECT_FALSE(list.Find("", p));
    EXPECT_EQ(p, 0);
    EXPECT_EQ(list.IndexOf("x"), -1);
    EXPECT_EQ(LangMessage([&] { (void)list.TextAt(0); }), "Element with index \"0\" not found.");

    list.Add("x");
    EXPECT_EQ(LangMessage([&] { (void)list.TextAt(-1); }), "Element with index \"-1\" not found.");
    EXPECT_EQ(LangMessage([&] { (void)list.TextAt(1); }), "Element with index \"1\" not found.");
    EXPECT_THROW((void)list.ObjectAt(1), std::out_of_range);
    EXPECT_THROW((void)list.ObjectAt(-1), std::out_of_range);
}

TEST(LanguageItem, PositionsFollowEveryInsertAndRemoval) {
    TItemSession d;
    TLanguage& english = addColumn(d, "English");
    TLanguage& german = addColumn(d, "German");

    TLanguageItem* hello = d.AddWord({"Hello", "Hallo"});
    TLanguageItem* good = d.AddWord({"Good", "Gut"});
    ASSERT_TRUE(hello && good);
    EXPECT_EQ(hello->Positions(), (std::vector<int>{1, 1}));
    EXPECT_EQ(good->Positions(), (std::vector<int>{0, 0}));

    // An equal text goes in front: the line that held position 0 moves to 1.
    TLanguageItem* good2 = d.AddWord({"Good", ""});
    EXPECT_EQ(good2->Positions(), (std::vector<int>{0, -1}));
    EXPECT_EQ(good->Positions(), (std::vector<int>{1, 0}));
    EXPECT_EQ(hello->Positions(), (std::vector<int>{2, 1}));
    EXPECT_EQ(d.TextList(0).ObjectAt(1), good);

    // Removing shifts the later positions back; the others stay.
    d.DeleteLine(d.IndexOfLine(good));
    EXPECT_EQ(good2->Positions(), (std::vector<int>{0, -1}));
    EXPECT_EQ(hello->Positions(), (std::vector<int>{1, 0}));
    EXPECT_EQ(hello->GetPosition(german), 0);

    // Pointing a line at the position it already has changes nothing.
    hello->SetPositionAt(0, 1);
    EXPECT_EQ(hello->GetTextAt(0), "Hello");
    EXPECT_EQ(d.TextList(0).ObjectAt(1), hello);

    EXPECT_EQ(hello->GetText(english), "Hello");
    EXPECT_EQ(good2->GetText(german), "");
    TLanguage gone;
    gone.Name = "French";
    gone.Index = 0;
    EXPECT_EQ(hello->GetText(gone), ""); // not registered
    gone.Name = "gErMaN";
    gone.Index = 1;
    EXPECT_EQ(hello->GetText(gone), "Hallo");
    EXPECT_THROW((void)hello->GetTextAt(2), std::out_of_range);
    EXPECT_THROW(hello->SetPositionAt(0, 5), std::out_of_range);

    addColumn(d, "Note", true);
    EXPECT_EQ(hello->LanguageColumnCount(), 2);
    EXPECT_EQ(hello->RemarkColumnCount(), 1);
    EXPECT_EQ(hello->Positions(), (std::vector<int>{1, 0, -1}));

    TLanguageItem loose; // belongs to no dictionary
    loose.AppendEmpty(2);
    EXPECT_EQ(loose.GetText(english), "");
    EXPECT_EQ(loose.LanguageColumnCount(), 0);
}
