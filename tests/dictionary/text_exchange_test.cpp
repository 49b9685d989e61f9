// The tagged text form: exact output, import rules, and files on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dictionary/command_line.h"
#include "dictionary/debug_log.h"
#include "dictionary/item_session.h"
#include "support/columns.h"
#include "support/lang_message.h"

using namespace vantelo;
using vantelo::testing::LangMessage;
namespace fs = std::filesystem;

using vantelo::testing::AddColumn;

namespace {


// English and German with the lines (Hello, Hallo) and (Yes, -).
void fillGreetings(TItemSession& d) {
    AddColumn(d, "English");
    AddColumn(d, "German");
    d.AddWord({"Hello", "Hallo"});
    d.AddWord({"Yes", ""});
}

std::vector<std::vector<std::string>> rows(const TItemSession& d) {
    std::vector<std::vector<std::string>> result;
    for (const auto& line : d.Lines()) {
        result.emplace_back();
        for (int c = 0; c < d.ColumnCount(); ++c)
            result.back().push_back(line->GetTextAt(c));
    }
    return result;
}

using Rows = std::vector<std::vector<std::string>>;

} // namespace

TEST(TextExchange, WritesBlocksInLineOrderAndInSortedOrder) {
    TItemSession d;
    fillGreetings(d);
    EXPECT_EQ(d.ExportTextBytes(), "-English:>Hello\r\n-German:>Hallo\r\n\r\n-English:>Yes\r\n\r\n");
    d.AddWord({"Abort", "Abbrechen"}); // sorts first by English
    EXPECT_EQ(d.ExportSortedTextBytes(d.GetLanguages()[0]),
              "-English:>Abort\r\n-German:>Abbrechen\r\n\r\n"
              "-English:>Hello\r\n-German:>Hallo\r\n\r\n"
              "-English:>Yes\r\n-German:>\r\n\r\n");
    // Lines without a text in the chosen column are left out.
    EXPECT_EQ(d.ExportSortedTextBytes(d.GetLanguages()[1]),
              "-English:>Abort\r\n-German:>Abbrechen\r\n\r\n-English:>Hello\r\n-German:>Hallo\r\n\r\n");
    TLanguage ghost;
    ghost.Name = "Klingon";
    ghost.Title = "Klingon title";
    EXPECT_EQ(LangMessage([&] { d.ExportSortedTextBytes(ghost); }), "Language \"Klingon title\" is not registered.");
}

TEST(TextExchange, ImportRegistersColumnsFromTagsAndReadsBlocks) {
    TItemSession source;
    fillGreetings(source);
    source.AddWord({"Two\r\nlines", "Zwei\r\nZeilen"});
    TItemSession d;
    d.ImportTextBytes(source.ExportSortedTextBytes(source.GetLanguages()[0]));
    ASSERT_EQ(d.ColumnCount(), 2);
    EXPECT_EQ(d.GetLanguages()[0].Name, "English");
    EXPECT_EQ(d.GetLanguages()[0].Title, "English");
    EXPECT_EQ(d.GetLanguages()[1].ExportStr, "-German:");
    EXPECT_TRUE(d.GetLanguages()[1].Shown);
    EXPECT_TRUE(d.Modified);
    EXPECT_EQ(rows(d), (Rows{{"Hello", "Hallo"}, {"Two\r\nlines", "Zwei\r\nZeilen"}, {"Yes", ""}}));

    // Blank lines, comments, odd line ends; a blank-only line inside a block
    // does not end it, a later line for the same column replaces the text.
    TItemSession e;
    e.ImportTextBytes("\r\n   \n\n-English:>One\rcomment without tag\r\n>starts with a tag end\n"
                      "   \n-German:>Eins\n-German:>Ein\n\n\n\n-English:>Two\n-x>short tag\n-German:>\n");
    EXPECT_EQ(rows(e), (Rows{{"One", "Ein"}, {"Two", ""}}));
    EXPECT_EQ(e.ColumnCount(), 2);
}

TEST(TextExchange, ImportTakesATagWhoseNameIsTakenIntoThatColumn) {
    // German is registered with another tag; "-German:" lines must neither be
    // lost nor read for ever.
    TItemSession d;
    AddColumn(d, "English");
    auto german = std::make_unique<TLanguage>();
    german->Name = "German";
    german->ExportStr = "[de]";
    d.AddLanguage(std::move(german));
    d.ImportTextBytes("-English:>Hello\r\n-German:>Hallo\r\n\r\n[de]>Tschüss\r\n\r\n");
    EXPECT_EQ(d.ColumnCount(), 2);
    EXPECT_EQ(rows(d), (Rows{{"Hello", "Hallo"}, {"", "Tschüss"}}));
}

TEST(TextExchange, DebugLogImportsWithItsContextColumns) {
    const auto folder = fs::temp_directory_path() / ("vantelo-log-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    DebugLog::Reset();
    DebugLog::SetFolder(folder);
    TItemSession d;
    fillGreetings(d);
    d.DebugMode = true;
    bool notFound = false;
    const TComponentRef form{"TForm", "frmMain"}, button{"TButton", "bbnOk"};
    d.Translate(&form, &button, "Cancel", d.GetLanguages()[0], d.GetLanguages()[1], notFound);
    d.Translate(nullptr, nullptr, "Line\r\nbreak", d.GetLanguages()[0], d.GetLanguages()[1], notFound);

    TItemSession imported;
    AddColumn(imported, "English");
    AddColumn(imported, "German");
    imported.Import((folder / "VLDebug.log").string(), 2);
    std::vector<std::string> names;
    for (const auto& l : imported.GetLanguages())
        names.push_back(l->Name + "|" + l->ExportStr);
    EXPECT_EQ(names, (std::vector<std::string>{"English|-English:", "German|-German:", "ParentObject|-ParentObject:",
                                               "ClassObject|-ClassObject:", "ObjectName|-ObjectName:",
                                               "PropertyName|-PropertyName:", "Items|-Items:"}));
    EXPECT_EQ(rows(imported),
              (Rows{{"Cancel", "Cancel", "frmMain", "TButton", "bbnOk", "Unknown", "Unknown"},
                    {"Line\r\nbreak", "Line\r\nbreak", "Unknown", "Nil", "Nil", "Unknown", "Unknown"}}));
    DebugLog::Reset();
    fs::remove_all(folder);
}

TEST(TextExchange, FilesAreWrittenSafelyAndFailuresReported) {
    const auto folder = fs::temp_directory_path() / ("vantelo-text-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string file = (folder / "dict.txt").string();
    TItemSession d;
    fillGreetings(d);
    d.Export(file, 1);
    d.AddWord({"More", "Mehr"});
    d.Export(file, 7); // any other kind writes text too
    EXPECT_TRUE(fs::exists(folder / "dict.~txt"));

    TItemSession back;
    back.Import(file, 5);
    EXPECT_EQ(rows(back), rows(d));
    const auto before = rows(back);

    // An unregistered sort column fails before anything is written.
    TLanguage ghost;
    ghost.Name = ghost.Title = "Klingon";
    EXPECT_EQ(LangMessage([&] { d.ExportSortedText((folder / "sorted.txt").string(), ghost); }),
              "Language \"Klingon\" is not registered.");
    EXPECT_FALSE(fs::exists(folder / "sorted.txt"));
    // A missing file is an error the caller shows; nothing changes.
    EXPECT_EQ(LangMessage([&] { back.ImportText((folder / "none.txt").string()); }),
              "Cannot read the file " + (folder / "none.txt").string() + ".");
    EXPECT_EQ(rows(back), before);
    EXPECT_NE(LangMessage([&] { d.ExportText((folder / "no/such/dict.txt").string()); }), "<no ELangException>");
    // The Unicode kind is the Unicode dictionary file.
    d.Export((folder / "dict.ulgf").string(), 3);
    std::ifstream unicode(folder / "dict.ulgf", std::ios::binary);
    EXPECT_EQ(unicode.get(), 0x12);
    fs::remove_all(folder);
}
