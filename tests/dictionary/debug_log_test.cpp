// Debug mode: texts the dictionary cannot translate are appended to
// "VLDebug.log", once per run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

#include "dictionary/command_line.h"
#include "dictionary/debug_log.h"
#include "support/columns.h"
#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"

using namespace vantelo;
namespace fs = std::filesystem;

namespace {

class DebugLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        DebugLog::Reset();
        folder_ = fs::temp_directory_path() /
                  ("vantelo-debug-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        DebugLog::SetFolder(folder_);
        CommandLine::SetParameters({"dict.lgf", "-vlDebug"});
    }

    void TearDown() override {
        DebugLog::Reset();
        CommandLine::SetParameters({});
        fs::remove_all(folder_);
    }

    std::string log() const {
        std::ifstream in(folder_ / "VLDebug.log", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // English, a remark and German, each tagged "-<Name>:".
    void addColumns(TItemSession& d) {
        for (const std::string name : {"English", "Note", "German"}) {
            ASSERT_NE(d.AddLanguage(vantelo::testing::Column(name, name == "Note")), nullptr);
        }
    }

    static std::string block(const std::string& text, const std::string& context) {
        return "-English:>" + text + "\r\n-Note:>" + text + "\r\n-German:>" + text + "\r\n" +
               context + "-Items:>Unknown\r\n\r\n";
    }

    static constexpr const char* NoContext = "-ParentObject:>Unknown\r\n-ClassObject:>Nil\r\n"
                                             "-ObjectName:>Nil\r\n-PropertyName:>Unknown\r\n";

    fs::path folder_;
};

} // namespace

TEST_F(DebugLogTest, MissingTextIsLoggedOncePerRun) {
    TItemSession d;
    ASSERT_TRUE(d.DebugMode);
    addColumns(d);
    TLanguage& english = d.GetLanguages()[0];
    TLanguage& german = d.GetLanguages()[2];

    bool notFound = false;
    EXPECT_EQ(d.Translate(nullptr, nullptr, "Cancel", english, german, notFound), "Cancel");
    EXPECT_TRUE(notFound);
    const std::string first = block("Cancel", NoContext);
    EXPECT_EQ(log(), first);
    ASSERT_EQ(DebugLog::ReportedLines().size(), 9u);
    EXPECT_EQ(DebugLog::ReportedLines().front(), "-English:>Cancel");
    EXPECT_EQ(DebugLog::ReportedLines().back(), "");

    // Again, in other letter cases, or from German: already reported.
    d.Translate(nullptr, nullptr, "Cancel", english, german, notFound);
    d.Translate(nullptr, nullptr, "CANCEL", english, german, notFound);
    d.Translate(nullptr, nullptr, "cancel", english, german, notFound);
    d.Translate(nullptr, nullptr, "Cancel", german, english, notFound);
    EXPECT_EQ(log(), first);

    // A line reported by the translation component counts as well.
    DebugLog::AddReported("-English:>Help");
    d.Translate(nullptr, nullptr, "Help", english, german, notFound);
    EXPECT_EQ(log(), first);

    // A text with a line break is logged escaped, and also only once.
    d.Translate(nullptr, nullptr, "Line one\r\nLine two", english, german, notFound);
    d.Translate(nullptr, nullptr, "Line one\r\nLine two", english, german, notFound);
    const std::string second = block("Line one\xB6\xB6Line two", NoContext);
    EXPECT_EQ(log(), first + second);

    DebugLog::Reset();
    DebugLog::SetFolder(folder_);
    d.Translate(nullptr, nullptr, "Cancel", english, german, notFound);
    EXPECT_EQ(log(), first + second + first);
}

TEST_F(DebugLogTest, ContextLinesNameTheObjectsAndProperty) {
    TItemSession d;
    addColumns(d);
    TLanguage& english = d.GetLanguages()[0];
    TLanguage& german = d.GetLanguages()[2];
    const TComponentRef form{"TfrmMain", "frmMain"};
    const TComponentRef button{"TButton", "bbnOk"};

    bool notFound = false;
    DebugLog::CurrentPropertyName = "Caption";
    d.Translate(&form, &button, "Apply", english, german, notFound);
    std::string expected = block("Apply", "-ParentObject:>frmMain\r\n-ClassObject:>TButton\r\n"
                                          "-ObjectName:>bbnOk\r\n-PropertyName:>Caption\r\n");
    EXPECT_EQ(log(), expected);

    DebugLog::CurrentPropertyName.clear();
    d.Translate(&form, nullptr, "Retry", english, german, notFound);
    expected += block("Retry", "-ParentObject:>frmMain\r\n-ClassObject:>Nil\r\n"
                               "-ObjectName:>Nil\r\n-PropertyName:>Unknown\r\n");
    EXPECT_EQ(log(), expected);

    d.Translate(nullptr, &button, "Abort", english, german, notFound);
    expected += block("Abort", "-ParentObject:>Unknown\r\n-ClassObject:>TButton\r\n"
                               "-ObjectName:>bbnOk\r\n-PropertyName:>Unknown\r\n");
    EXPECT_EQ(log(), expected);
}

TEST_F(DebugLogTest, OnlyMissingTextsAreLogged) {
    TItemSession d;
    addColumns(d);
    TLanguage& english = d.GetLanguages()[0];
    TLanguage& german = d.GetLanguages()[2];
    d.AddWord({"Open", "", ""});

    bool notFound = false;
    for (const char* text : {"12", " $1F", "", "Open"}) {
        EXPECT_EQ(d.Translate(nullptr, nullptr, text, english, german, notFound), text);
        EXPECT_TRUE(notFound) << text;
    }
    EXPECT_EQ(d.Translate(nullptr, nullptr, "Missing", english, english, notFound), "Missing");
    EXPECT_TRUE(notFound);
    EXPECT_FALSE(fs::exists(folder_ / "VLDebug.log"));
    EXPECT_TRUE(DebugLog::ReportedLines().empty());

    // Without the switch the dictionary logs nothing.
    CommandLine::SetParameters({"-VLDEBUGDLG"});
    TItemSession quiet;
    EXPECT_FALSE(quiet.DebugMode);
    addColumns(quiet);
    quiet.Translate(nullptr, nullptr, "Missing", quiet.GetLanguages()[0], quiet.GetLanguages()[2],
                    notFound);
    EXPECT_TRUE(notFound);
    EXPECT_FALSE(fs::exists(folder_ / "VLDebug.log"));
}

TEST_F(DebugLogTest, UnwritableLogRecordsNothing) {
    DebugLog::SetFolder(folder_ / "missing");
    EXPECT_THROW(DebugLog::WriteBlock({"-English:>Save", ""}), ELangException);
    EXPECT_FALSE(DebugLog::IsReported("-English:>Save"));
    EXPECT_TRUE(DebugLog::ReportedLines().empty());

    DebugLog::SetFolder(folder_);
    DebugLog::WriteBlock({"-English:>Save", ""});
    EXPECT_EQ(log(), "-English:>Save\r\n\r\n");
    EXPECT_TRUE(DebugLog::IsReported("-english:>SAVE"));
}
