// The dictionary's operations: columns, lines, remarks, usage counter,
// search, the repeated-texts report and plain (non-debug) translation.
#include <gtest/gtest.h>

#include "support/columns.h"
#include "support/lang_message.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"

using namespace vantelo;

using vantelo::testing::Column;

namespace {


TLanguage& addColumn(TItemSession& d, const std::string& name, bool remark = false) {
    TLanguage* taken = d.AddLanguage(Column(name, remark));
    if (!taken)
        throw std::logic_error("column not added: " + name);
    return *taken;
}

using vantelo::testing::LangMessage;

std::vector<std::string> row(const TItemSession& d, int lineIndex) {
    std::vector<std::string> texts;
    for (int c = 0; c < d.ColumnCount(); ++c)
        texts.push_back(d.LineAt(lineIndex)->GetTextAt(c));
    return texts;
}

const std::string WordNotFound = "Word not found. Operation aborted.";

} // namespace

TEST(ItemSession, ColumnsRegistrationAndCounter) {
    TItemSession d;
    EXPECT_FALSE(d.Modified);
    TLanguage& english = addColumn(d, "English");
    addColumn(d, "German");
    EXPECT_TRUE(d.Modified);
    EXPECT_EQ(d.LanguageCounter(), 2);
    d.AddWord({"Hello", "Hallo"});

    // A taken name (in any case) leaves the descriptor with the caller.
    d.Modified = false;
    auto again = Column("english");
    EXPECT_EQ(d.AddLanguage(std::move(again)), nullptr);
    ASSERT_NE(again, nullptr);
    auto far = Column("French");
    EXPECT_EQ(d.InsertLanguage(3, std::move(far)), nullptr);
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(d.ColumnCount(), 2);
    EXPECT_EQ(d.LanguageCounter(), 2);
    EXPECT_FALSE(d.Modified);

    // Inserting in front shifts the existing columns and every line with them.
    TLanguage* note = d.InsertLanguage(0, Column("Note", true));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(english.Index, 1);
    EXPECT_EQ(english.ShownNumber, 0); // the remark is numbered on its own
    EXPECT_EQ(row(d, 0), (std::vector<std::string>{"", "Hello", "Hallo"}));
    EXPECT_EQ(d.LineText(0, english), "Hello");
    EXPECT_EQ(d.LanguageCounter(), 3);
    EXPECT_TRUE(d.Modified);

    d.ClearLines();
    EXPECT_EQ(d.TextCount(english), 0);
    EXPECT_EQ(d.LanguageCounter(), 3);
    d.Clear();
    EXPECT_EQ(d.ColumnCount(), 0);
    EXPECT_EQ(d.LanguageCounter(), 0);
}

TEST(ItemSession, EditExchangeAndDeleteColumns) {
    TItemSession d;
    TLanguage& english = addColumn(d, "English");
    TLanguage& german = addColumn(d, "German");
    TLanguage& french = addColumn(d, "French");
    d.AddWord({"Hello", "Hallo", "Bonjour"});
    d.AddWord({"", "Nur", ""});

    // Renaming onto another column's name is refused before anything changes.
    auto values = Column("german");
    EXPECT_EQ(LangMessage([&] { d.EditLanguage(english, *values); }),
              "Language \"german\" is already registered.");
    EXPECT_EQ(english.Name, "English");

    values = Column("ENGLISH"); // the same column in another case is fine
    values->Title = "Englisch";
    values->Shown = false;
    values->ReadOnly = true;
    values->ColumnWidth = 33;
    values->Index = 7;
    d.Modified = false;
    d.EditLanguage(english, *values);
    EXPECT_EQ(english.Name, "ENGLISH");
    EXPECT_EQ(english.Title, "Englisch");
    EXPECT_TRUE(english.ReadOnly);
    EXPECT_EQ(english.ColumnWidth, 140);
    EXPECT_EQ(english.Index, 0);
    EXPECT_EQ(english.ShownNumber, -1);
    EXPECT_EQ(german.ShownNumber, 0);
    EXPECT_TRUE(d.Modified);

    d.Modified = false;
    d.ExchangeLanguages(1, 1);
    EXPECT_FALSE(d.Modified);
    EXPECT_EQ(LangMessage([&] { d.ExchangeLanguages(0, 5); }),
              "Language \"Number 5\" is not registered.");
    EXPECT_EQ(LangMessage([&] { d.ExchangeLanguages(-1, 0); }),
              "Language \"Number -1\" is not registered.");
    EXPECT_EQ(LangMessage([&] { d.ExchangeLanguages(7, 9); }),
              "Language \"Number 7\" is not registered.");
    EXPECT_FALSE(d.Modified);

    d.ExchangeLanguages(0, 2);
    EXPECT_TRUE(d.Modified);
    EXPECT_EQ(french.Index, 0);
    EXPECT_EQ(english.Index, 2);
    EXPECT_EQ(row(d, 0), (std::vector<std::string>{"Bonjour", "Hallo", "Hello"}));
    EXPECT_EQ(d.LineText(0, english), "Hello");
    EXPECT_EQ(french.ShownNumber, 0);

    // A line whose only text was German goes with the column.
    EXPECT_EQ(d.LanguageCounter(), 3);
    d.DeleteLanguage(german);
    EXPECT_EQ(d.LanguageCounter(), 2);
    ASSERT_EQ(d.LineCount(), 1);
    EXPECT_EQ(row(d, 0), (std::vector<std::string>{"Bonjour", "Hello"}));
    EXPECT_EQ(english.Index, 1);
    EXPECT_FALSE(d.GetLanguages().Exists("German"));
}

TEST(ItemSession, RegistrationChecksQuoteNameOrTitle) {
    TItemSession d;
    TLanguage& english = addColumn(d, "English");
    TLanguage& note = addColumn(d, "Note", true);
    d.AddWord({"Hello", "n"});
    TLanguage ghost;
    ghost.Name = "Klingon";
    ghost.Title = "tlhIngan";
    ghost.Index = 0;

    const std::string byName = "Language \"Klingon\" is not registered.";
    const std::string byTitle = "Language \"tlhIngan\" is not registered.";
    bool notFound = false;
    EXPECT_EQ(LangMessage([&] { (void)d.TextAtPosition(0, ghost); }), byName);
    EXPECT_EQ(LangMessage([&] { (void)d.LineText(0, ghost); }), byName);
    EXPECT_EQ(LangMessage([&] { (void)d.TextCount(ghost); }), byName);
    EXPECT_EQ(
        LangMessage([&] { d.Translate(nullptr, nullptr, "Hello", ghost, english, notFound); }),
        byName);
    EXPECT_EQ(
        LangMessage([&] { d.Translate(nullptr, nullptr, "Hello", english, ghost, notFound); }),
        byName);
    EXPECT_EQ(LangMessage([&] { (void)d.FindLine("Hello", ghost); }), byTitle);
    EXPECT_EQ(LangMessage([&] { d.EditLanguage(ghost, english); }), byTitle);
    EXPECT_EQ(LangMessage([&] { d.DeleteLanguage(ghost); }), byTitle);
    EXPECT_EQ(LangMessage([&] { d.DeleteLineAtPosition(0, ghost); }), byTitle);
    EXPECT_EQ(LangMessage([&] { d.DeleteRemarksAtPosition(0, ghost); }),
              "Remark \"tlhIngan\" is not registered.");
    EXPECT_EQ(d.LineCount(), 1);
    EXPECT_EQ(d.LineText(0, note), "n");

    // Any descriptor carrying a registered name stands for that column.
    ghost.Name = "NOTE";
    EXPECT_EQ(d.TextCount(ghost), 1);

    // Bad positions and line indexes.
    EXPECT_EQ(LangMessage([&] { (void)d.TextAtPosition(-1, english); }),
              "Element with index \"-1\" not found.");
    EXPECT_THROW((void)d.LineText(1, english), std::out_of_range);
    EXPECT_THROW(d.DeleteLine(-1), std::out_of_range);
    EXPECT_THROW(d.DeleteRemarks(1), std::out_of_range);
    EXPECT_THROW(d.SetRemarks(1, {"", "x"}), std::out_of_range);
    EXPECT_THROW(d.DeleteLineAtPosition(1, english), std::out_of_range);
    EXPECT_THROW(d.SetTextAt(0, 2, "x"), std::out_of_range);
    EXPECT_THROW(d.ClearTextAt(0, -1), std::out_of_range);
    EXPECT_EQ(d.LineAt(1), nullptr);
    EXPECT_EQ(d.LineAtPosition(-1, english), nullptr);
    d.ClearTextAt(5, 0); // no such line: nothing
}

TEST(ItemSession, AddReplaceAndDeleteLines) {
    TItemSession d;
    TLanguage& english = addColumn(d, "English");
    addColumn(d, "German");
    addColumn(d, "Note", true);
    d.Modified = false;

    EXPECT_EQ(d.AddWord({"", "", ""}), nullptr);
    EXPECT_EQ(d.AddWord({}), nullptr);
    EXPECT_EQ(d.AddWord({"", "", "", ""}), nullptr);
    EXPECT_FALSE(d.Modified);
    EXPECT_EQ(LangMessage([&] { d.AddWord({"a", "b", "c", "d"}); }), WordNotFound);
    EXPECT_EQ(LangMessage([&] { d.AddWord({"a", "b"}); }), WordNotFound);
    EXPECT_EQ(d.LineCount(), 0);

    d.AddWord({"Hello", "Hallo", ""});
    d.AddWord({"Open", "Offnen", ""});
    d.AddWord({"Hello", "Servus", "casual"}); // no duplicate check
    ASSERT_EQ(d.LineCount(), 3);

    // A wrong word count is refused before any line is deleted.
    const TLanguageWord tooMany{"x", "y", "z", "w"};
    EXPECT_EQ(LangMessage([&] { d.ReplaceLine(0, tooMany); }), WordNotFound);
    EXPECT_EQ(LangMessage([&] { d.ReplaceText("Hello", english, tooMany); }), WordNotFound);
    EXPECT_EQ(LangMessage([&] { d.ReplaceLineAtPosition(0, english, tooMany); }), WordNotFound);
    EXPECT_EQ(d.LineCount(), 3);
    EXPECT_EQ(d.TextCount(english), 3);

    // A replaced line moves to the end.
    TLanguageItem* replaced = d.ReplaceLine(0, {"Hi", "Hallo", ""});
    EXPECT_EQ(d.IndexOfLine(replaced), 2);
    EXPECT_EQ(row(d, 0), (std::vector<std::string>{"Open", "Offnen", ""}));

    // Every line with the text goes; then the one new line is added.
    d.ReplaceText("Hello", english, {"Hey", "", ""});
    EXPECT_EQ(d.LineCount(), 3);
    EXPECT_EQ(d.IndexOfText("Hello", english), -1);
    EXPECT_EQ(row(d, 2), (std::vector<std::string>{"Hey", "", ""}));

    // ReplaceLineAtPosition addresses the line by its sorted position.
    ASSERT_EQ(d.TextAtPosition(1, english), "Hi");
    d.ReplaceLineAtPosition(1, english, {"Howdy", "", ""});
    EXPECT_EQ(d.IndexOfText("Hi", english), -1);
    EXPECT_NE(d.FindLine("Howdy", english), nullptr);
    EXPECT_EQ(d.LineCount(), 3);
}

TEST(ItemSession, CellsRemarksAndModified) {
    TItemSession d;
    addColumn(d, "English");
    TLanguage& note = addColumn(d, "Note", true);
    addColumn(d, "German");
    TLanguage& group = addColumn(d, "Group", true);
    d.AddWord({"Hello", "", "Hallo", ""});
    d.AddWord({"Bye", "n2", "Tschuss", "g2"});
    d.Modified = false;

    // Every remark entry empty: refused, nothing changed.
    EXPECT_EQ(LangMessage([&] {
                  d.SetRemarks(0, {"", "", "", ""});
              }),
              "Remark not found. Operation aborted.");
    EXPECT_EQ(LangMessage([&] {
                  d.SetRemarks(1, {"x", "", "y", ""});
              }),
              "Remark not found. Operation aborted.");
    EXPECT_FALSE(d.Modified);
    EXPECT_EQ(row(d, 1), (std::vector<std::string>{"Bye", "n2", "Tschuss", "g2"}));

    // Remark columns take the new entries (empty ones clear); languages stay.
    d.SetRemarks(1, {"ignored", "", "ignored", "g3"});
    EXPECT_EQ(row(d, 1), (std::vector<std::string>{"Bye", "", "Tschuss", "g3"}));
    EXPECT_TRUE(d.Modified);
    d.SetRemarks(0, {"", "n1", "", "g1"});
    EXPECT_EQ(d.TextAtPosition(0, group), "g1");

    d.DeleteRemarksAtPosition(0, group); // "g1" belongs to line 0
    EXPECT_EQ(row(d, 0), (std::vector<std::string>{"Hello", "", "Hallo", ""}));
    EXPECT_EQ(d.TextCount(note), 0);
    EXPECT_EQ(row(d, 1)[3], "g3");

    // Single cells.
    d.SetTextAt(0, 1, "note");
    d.SetTextIfEmptyAt(0, 1, "other");
    EXPECT_EQ(d.LineText(0, note), "note");
    d.SetTextAt(0, 1, ""); // clears the cell, adds no empty entry
    EXPECT_EQ(d.TextCount(note), 0);
    d.Modified = false;
    d.SetTextIfEmptyAt(0, 1, "");
    d.ClearTextAt(0, 1);
    EXPECT_EQ(d.TextCount(note), 0);
    EXPECT_FALSE(d.Modified);

    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"SetTextAt", [&] { d.SetTextAt(0, 0, "Hi"); }},
        {"ClearTextAt", [&] { d.ClearTextAt(0, 0); }},
        {"SetTextIfEmptyAt", [&] { d.SetTextIfEmptyAt(0, 0, "Hey"); }},
        {"DeleteRemarks", [&] { d.DeleteRemarks(1); }},
        {"ExchangeLanguages", [&] { d.ExchangeLanguages(0, 2); }},
        {"AddWord",
         [&] {
             d.AddWord({"a", "", "", ""});
         }},
        {"DeleteLine", [&] { d.DeleteLine(2); }},
    };
    for (const auto& [name, edit] : edits) {
        d.Modified = false;
        edit();
        EXPECT_TRUE(d.Modified) << name;
    }
}

TEST(ItemSession, CountUsage) {
    TItemSession d;
    addColumn(d, "English");
    d.AddWord({"Hello"});
    d.Modified = false;
    d.CountUsage(0); // no counter column: nothing happens
    EXPECT_FALSE(d.Modified);
    EXPECT_EQ(d.ColumnCount(), 1);

    TLanguage& stats = addColumn(d, "Statistics", true);
    d.AddWord({"Bye", ""});
    d.Modified = false;
    d.CountUsage(0);
    EXPECT_EQ(d.LineText(0, stats), "1");
    EXPECT_TRUE(d.Modified);
    d.SetTextAt(1, 1, "41");
    d.CountUsage(1);
    EXPECT_EQ(d.LineText(1, stats), "42");
    EXPECT_EQ(d.TextCount(stats), 2);
    d.SetTextAt(1, 1, " $1F");
    d.CountUsage(1);
    EXPECT_EQ(d.LineText(1, stats), "32");

    d.SetTextAt(1, 1, "often");
    EXPECT_EQ(LangMessage([&] { d.CountUsage(1); }), "\"often\" is not a valid integer value.");
    EXPECT_EQ(d.LineText(1, stats), "often");
    EXPECT_THROW(d.CountUsage(2), std::out_of_range);
}

TEST(ItemSession, SearchInAllFourModes) {
    TItemSession d;
    TLanguage& english = addColumn(d, "English");
    TLanguage& german = addColumn(d, "German");
    d.AddWord({"Zebra", "Hexe"});  // line 0
    d.AddWord({"Hello", "Hallo"}); // line 1
    d.AddWord({"Apple", "Apfel"}); // line 2
    d.AddWord({"", "Heu"});        // line 3, not in the English order
    // English order: Apple(2) Hello(1) Zebra(0); German: Apfel Hallo Heu Hexe.

    // By line over all columns: the first column with a match decides.
    EXPECT_EQ(d.Search("he", true, nullptr, nullptr, true), 1);
    EXPECT_EQ(d.Search("HEX", true, nullptr, nullptr, true), 0);
    EXPECT_EQ(d.Search("", true, nullptr, nullptr, true), 2);
    EXPECT_EQ(d.Search("hz", true, nullptr, nullptr, true), -1);
    // By line in one column.
    EXPECT_EQ(d.Search("he", true, &german, nullptr, false), 3);
    EXPECT_EQ(d.Search("hex", true, &english, nullptr, false), -1);
    // Positions in the order column, over all columns.
    EXPECT_EQ(d.Search("ze", false, nullptr, &german, true), 3);
    EXPECT_EQ(d.Search("hex", false, nullptr, &english, true), 2);
    EXPECT_EQ(d.Search("heu", false, nullptr, &english, true), -1);
    EXPECT_EQ(d.Search("heu", false, nullptr, &german, true), 2);
    // Positions in the order column, testing the search column.
    EXPECT_EQ(d.Search("hex", false, &german, &english, false), 2);
    EXPECT_EQ(d.Search("ap", false, &english, &german, false), 0);
    EXPECT_EQ(d.Search("hex", false, &english, &german, false), -1);
}

TEST(ItemSession, ListRepeatedTexts) {
    TItemSession d;
    addColumn(d, "English");
    addColumn(d, "Note", true);
    addColumn(d, "German");
    addColumn(d, "French");
    int n = 0;
    for (const char* english : {"Open", "Save", "Open", "Close", "Open", "Close"})
        d.AddWord({english, "same", "de " + std::to_string(++n), ""});
    d.AddWord({"a\r\nb", "", "", "Ouvrir"});
    d.AddWord({"a\r\nb", "", "", "Ouvrir"});

    std::vector<std::string> report{"kept"};
    d.ListRepeatedTexts(report);
    EXPECT_EQ(report, (std::vector<std::string>{"kept", "English title", "  Close:2", "  Open:3",
                                                "  a\r\nb:2", "French title", "  Ouvrir:2"}));
}

TEST(ItemSession, TranslateWithoutDebugLog) {
    TItemSession d;
    d.DebugMode = false;
    TLanguage& english = addColumn(d, "English");
    TLanguage& german = addColumn(d, "German");
    d.AddWord({"Open", "Offnen"});
    d.AddWord({"Close", ""});
    d.AddWord({"12", "zwolf"});

    bool notFound = false;
    EXPECT_EQ(d.Translate(nullptr, nullptr, "Open", english, german, notFound), "Offnen");
    EXPECT_FALSE(notFound);
    for (const char* text : {"12", " $1F", "", "open", "Close", "Missing"}) {
        notFound = false;
        EXPECT_EQ(d.Translate(nullptr, nullptr, text, english, german, notFound), text);
        EXPECT_TRUE(notFound) << text;
    }
    notFound = false;
    EXPECT_EQ(d.Translate(nullptr, nullptr, "Open", english, english, notFound), "Open");
    EXPECT_TRUE(notFound);

    // The newest of equal texts is found first; here it has no translation.
    d.AddWord({"Open", ""});
    EXPECT_EQ(d.Translate(nullptr, nullptr, "Open", english, german, notFound), "Open");
    EXPECT_TRUE(notFound);
}
