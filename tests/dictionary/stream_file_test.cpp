// Dictionary files: exact bytes, round trips, partial readers, file names,
// safe saving, and damaged or hostile files.
#include <gtest/gtest.h>

#include "support/lang_message.h"

#include <csignal>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

#include "dictionary/command_line.h"
#include "dictionary/file_names.h"
#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "dictionary/value_stream.h"

using namespace vantelo;
namespace fs = std::filesystem;

namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list)
        s.push_back(char(b));
    return s;
}

std::string shortString(std::string_view s) { return bytes({0x06, int(s.size())}) + std::string(s); }

TLanguage* addColumn(TItemSession& d, std::string name, bool remark = false, bool shown = true) {
    auto l = std::make_unique<TLanguage>();
    l->Name = name;
    l->Title = name;
    l->ExportStr = "-" + name + ":";
    l->IsRemark = remark;
    l->Shown = shown;
    return d.AddLanguage(std::move(l));
}

void load(TItemSession& d, const std::string& data) {
    std::istringstream in(data);
    d.LoadFromStream(in);
}

std::string message(const std::function<void()>& f) {
    const std::string m = vantelo::testing::LangMessage(f);
    return m == "<no ELangException>" ? "(no exception)" : m;
}

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vantelo-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "program");
        CommandLine::SetProgramFolder(folder / "program");
    }
    void TearDown() override {
        CommandLine::SetProgramFolder({});
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(folder);
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    fs::path folder;
};

// A dictionary that exercises everything a file holds.
void fillSample(TItemSession& d) {
    addColumn(d, "English");
    addColumn(d, "Note", true);
    addColumn(d, "German", false, false)->ReadOnly = true;
    auto* french = addColumn(d, "French");
    french->ColumnWidth = 40000;
    french->Image.Picture = TPicture{"TIcon", {0, 0, 1, 0, 1, 0, 16, 16}};
    d.AddWord({"Open", "menu", "Öffnen", "Ouvrir"});
    d.AddWord({"Open", "", "Auf", ""});
    d.AddWord({"Two\r\nlines", "", "Zwei\r\nZeilen", "Deux"});
    d.AddWord({std::string(300, 'x'), "long", "", ""});
    d.AddWord({"", "only a note", "", ""});
    d.AddWord({"Save", "menu", "Speichern", "Enregistrer"});
}

} // namespace

TEST(StreamFile, WritesTheDocumentedBytes) {
    TItemSession empty;
    EXPECT_EQ(empty.SaveToBytes(), shortString("VLstream") + bytes({1, 0, 1, 0, 1, 0}));

    TItemSession d;
    addColumn(d, "English");
    d.AddWord({"Hello"});
    const std::string expected = shortString("VLstream") + bytes({1}) + shortString("English") +
                                 shortString("English") + shortString("-English:") +
                                 bytes({0x02, 0x00, 0x09, 0x08, 0x03, 0x8C, 0x00, 0x08, 0x00}) +
                                 bytes({1, 1, 2, 0, 0, 0}) + bytes({1}) + shortString("Hello") + bytes({0}) +
                                 bytes({1}) + shortString("Y") + "TPF0";
    const std::string written = d.SaveToBytes();
    ASSERT_GE(written.size(), expected.size());
    EXPECT_EQ(written.substr(0, expected.size()), expected);
    EXPECT_EQ(written.substr(written.size() - 3), bytes({0, 0, 0})); // record ends, list ends

    // Integer tags: the smallest that holds the value.
    std::string out;
    ValueWriter w(out);
    for (int v : {-1, 127, -128, 140, -32768, 32767, 40000, -40000})
        w.WriteInteger(v);
    EXPECT_EQ(out, bytes({2, 0xFF, 2, 0x7F, 2, 0x80, 3, 0x8C, 0, 3, 0, 0x80, 3, 0xFF, 0x7F, 4, 0x40, 0x9C, 0, 0, 4,
                          0xC0, 0x63, 0xFF, 0xFF}));
    // Strings: short up to 255 bytes, long beyond.
    out.clear();
    w.WriteString(std::string(255, 'a'));
    w.WriteString(std::string(256, 'a'));
    EXPECT_EQ(out.substr(0, 2), bytes({6, 255}));
    EXPECT_EQ(out.substr(257, 5), bytes({0x0C, 0, 1, 0, 0}));
}

TEST(StreamFile, LineBreaksAreStoredAsPilcrowPairs) {
    TItemSession d;
    addColumn(d, "English");
    d.AddWord({"a\r\nb\n\rc\rd\ne"});
    const std::string written = d.SaveToBytes();
    EXPECT_NE(written.find(shortString("a\xB6\xB6" "b\xB6\xB6" "c\rd\ne")), std::string::npos);

    // Any stored pair of 0xB6 reads back as CR LF, however long the text.
    std::string stored = written;
    const std::string longText(400, 'y');
    TItemSession other;
    addColumn(other, "English");
    other.AddWord({longText + "\xB6\xB6" + "z"});
    TItemSession back;
    load(back, other.SaveToBytes());
    EXPECT_EQ(back.TextList(0).TextAt(0), longText + "\r\nz");
}

TEST(StreamFile, RoundTripKeepsEverything) {
    TItemSession d;
    fillSample(d);
    const std::string first = d.SaveToBytes();
    TItemSession back;
    load(back, first);
    EXPECT_FALSE(back.Modified);
    EXPECT_EQ(back.SaveToBytes(), first);
    ASSERT_EQ(back.ColumnCount(), 4);
    ASSERT_EQ(back.LineCount(), d.LineCount());
    for (int i = 0; i < d.LineCount(); ++i)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(back.LineAt(i)->GetTextAt(c), d.LineAt(i)->GetTextAt(c)) << i << "," << c;
    const auto& langs = back.GetLanguages();
    EXPECT_TRUE(langs[1].IsRemark);
    EXPECT_FALSE(langs[2].Shown);
    EXPECT_TRUE(langs[2].ReadOnly);
    EXPECT_EQ(langs[3].ColumnWidth, 40000);
    EXPECT_EQ(langs[3].ShownNumber, 1);
    EXPECT_EQ(langs[3].Image.Picture, (TPicture{"TIcon", {0, 0, 1, 0, 1, 0, 16, 16}}));
    EXPECT_EQ(langs[0].Image.Picture, TPicture::EmptyBitmap());
    EXPECT_EQ(back.LineText(3, langs[0]), std::string(300, 'x')); // read back whole
    // Equal texts keep their order, and a new one still goes in front.
    EXPECT_EQ(back.TextList(0).ObjectAt(0), back.LineAt(1));
    back.AddWord({"Open", "", "", ""});
    EXPECT_EQ(back.TextList(0).ObjectAt(0), back.LineAt(6));
}

TEST(StreamFile, PartialReadersKeepTheChosenColumns) {
    TItemSession d;
    fillSample(d);
    const std::string data = d.SaveToBytes();

    TItemSession langs;
    std::istringstream in1(data);
    langs.LoadLanguagesFromStream(in1);
    ASSERT_EQ(langs.ColumnCount(), 3);
    EXPECT_EQ(langs.GetLanguages()[1].Name, "German");
    EXPECT_EQ(langs.LineCount(), d.LineCount());
    EXPECT_EQ(langs.LineText(0, langs.GetLanguages()[1]), "Öffnen");
    EXPECT_EQ(langs.LineText(4, langs.GetLanguages()[0]), ""); // the note-only line stays, empty

    TItemSession byIndexes;
    std::istringstream in2(data);
    const int indexes[] = {3, 1};
    byIndexes.LoadFromStreamByIndexes(in2, indexes);
    ASSERT_EQ(byIndexes.ColumnCount(), 2);
    EXPECT_EQ(byIndexes.GetLanguages()[0].Name, "Note");
    EXPECT_EQ(byIndexes.GetLanguages()[1].Name, "French");
    EXPECT_EQ(byIndexes.LineText(5, byIndexes.GetLanguages()[1]), "Enregistrer");

    TItemSession byNames;
    std::istringstream in3(data);
    const std::string names[] = {"German", "english", "English"};
    byNames.LoadFromStreamByNames(in3, names);
    ASSERT_EQ(byNames.ColumnCount(), 2);
    EXPECT_EQ(byNames.GetLanguages()[0].Name, "English");
    EXPECT_EQ(byNames.GetLanguages()[1].Name, "German");
    EXPECT_EQ(byNames.LineText(2, byNames.GetLanguages()[1]), "Zwei\r\nZeilen");
    for (auto* t : {&langs, &byIndexes, &byNames}) {
        for (const auto& line : t->Lines()) {
            for (int c = 0; c < t->ColumnCount(); ++c) {
                if (const int p = line->GetPositionAt(c); p >= 0) {
                    EXPECT_EQ(t->TextList(c).ObjectAt(p), line.get());
                }
            }
        }
    }
}

TEST(StreamFile, UnicodeVariantIsWrittenButNotRead) {
    TItemSession d;
    addColumn(d, "English");
    d.AddWord({"Caf\xE9\r\n"});
    const std::string u = d.SaveToBytes(true);
    EXPECT_EQ(u.substr(0, 7), bytes({0x12, 8, 0, 0, 0, 'V', 0}));
    EXPECT_NE(u.find(bytes({0x12, 6, 0, 0, 0, 'C', 0, 'a', 0, 'f', 0, 0xE9, 0, '\r', 0, '\n', 0})), std::string::npos);
    TItemSession back;
    EXPECT_EQ(message([&] { load(back, u); }), "File  is not Vantelo dictinary.");
}

TEST(StreamFile, BackupNames) {
    CommandLine::SetProgramFolder("/opt/vantelo/bin");
    EXPECT_EQ(MakeBackupName("/data/dict.lgf"), "/data/dict.~lgf");
    EXPECT_EQ(MakeBackupName("/data/my.dict.lgf"), "/data/my.dict.~lgf");
    EXPECT_EQ(MakeBackupName("/data/dict"), "/data/dict~");
    EXPECT_EQ(MakeBackupName("dict.lgf"), "/opt/vantelo/bin/dict.~lgf");
    CommandLine::SetProgramFolder({});
}

using StreamFileOnDisk = TempFolder;

TEST_F(StreamFileOnDisk, ResolvesNamesProgramFolderFirst) {
    TItemSession d;
    addColumn(d, "English");
    d.AddWord({"from program folder"});
    d.SaveToFile(path("program/dict.lgf"));
    d.SetTextAt(0, 0, "from current folder");
    d.SaveToFile(path("dict.lgf"));
    fs::current_path(folder);

    TItemSession t;
    ASSERT_TRUE(t.LoadFromFile("dict.lgf"));
    EXPECT_EQ(t.LineText(0, t.GetLanguages()[0]), "from program folder");
    ASSERT_TRUE(t.LoadFromFile(path("dict.lgf")));
    EXPECT_EQ(t.LineText(0, t.GetLanguages()[0]), "from current folder");
    fs::remove(folder / "program/dict.lgf");
    std::string name = "dict.lgf";
    ASSERT_TRUE(ResolveFileName(name));
    EXPECT_EQ(name, "dict.lgf");

    // No file at all: false, and the dictionary is left as it was.
    EXPECT_FALSE(t.LoadFromFile(path("missing/none.lgf")));
    EXPECT_FALSE(t.LoadLanguagesFromFile("none.lgf"));
    EXPECT_EQ(t.LineCount(), 1);
}

TEST_F(StreamFileOnDisk, SavingKeepsABackupAndNeverLosesThePreviousFile) {
    TItemSession d;
    addColumn(d, "English");
    d.AddWord({"first"});
    d.SaveToFile(path("dict.lgf"));
    EXPECT_FALSE(d.Modified);
    const std::string firstBytes = d.SaveToBytes();
    d.AddWord({"second"});
    d.SaveToFile(path("dict.lgf"));
    TItemSession backup;
    ASSERT_TRUE(backup.LoadFromFile(path("dict.~lgf")));
    EXPECT_EQ(backup.LineCount(), 1);

    // A save that cannot be completed says so and keeps everything.
    for (int i = 0; i < 2000; ++i)
        d.AddWord({"text number " + std::to_string(i)});
    ASSERT_TRUE(d.Modified);
    const auto before = fs::file_size(folder / "dict.lgf");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string error = message([&] { d.SaveToFile(path("dict.lgf")); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_NE(error.find("Cannot write the file " + path("dict.lgf")), std::string::npos) << error;
    EXPECT_TRUE(d.Modified);
    EXPECT_EQ(fs::file_size(folder / "dict.lgf"), before);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 3u); // program/, dict.lgf, dict.~lgf: no temporary left behind
    EXPECT_NE(message([&] { d.SaveToFile(path("no/such/folder/dict.lgf")); }), "(no exception)");

    // The Unicode export leaves the dictionary's own changes unsaved.
    d.SaveToFileUnicode(path("dict.ulgf"));
    EXPECT_TRUE(d.Modified);
    (void)firstBytes;
}

TEST_F(StreamFileOnDisk, DamagedFilesAreRefusedWithTheirName) {
    TItemSession good;
    fillSample(good);
    const std::string data = good.SaveToBytes();
    const std::string file = path("bad.lgf");
    auto loadBytes = [&](const std::string& content) {
        std::ofstream(file, std::ios::binary) << content;
        TItemSession d;
        const std::string error = message([&] { d.LoadFromFile(file); });
        if (error != "(no exception)") {
            EXPECT_EQ(d.LineCount(), 0);
        }
        return std::make_pair(error, d.ColumnCount());
    };
    const std::string refused = "File " + file + " is not Vantelo dictinary.";

    std::string wrongSignature = data;
    wrongSignature[9] = 'M';
    EXPECT_EQ(loadBytes(wrongSignature).first, refused);

    // Cut anywhere before the pictures: refused, columns read so far kept.
    const size_t imagesAt = data.rfind(bytes({1, 6, 1, 'Y'}));
    for (size_t cut = 0; cut < imagesAt; cut += 7)
        ASSERT_EQ(loadBytes(data.substr(0, cut)).first, refused) << "cut at " << cut;
    EXPECT_EQ(loadBytes(data.substr(0, imagesAt - 5)).second, 4);
    // Cut inside the pictures: the dictionary loads, with the flags read so far.
    TItemSession d;
    std::ofstream(file, std::ios::binary) << data.substr(0, data.size() - 20);
    ASSERT_TRUE(d.LoadFromFile(file));
    EXPECT_EQ(d.LineCount(), good.LineCount());

    // Hand-made files around one column and its lines.
    auto make = [](const std::string& lines, const std::string& texts, int columns = 1) {
        std::string f = shortString("VLstream") + bytes({1});
        for (int c = 0; c < columns; ++c)
            f += shortString(c == 0 ? "A" : "a") + shortString("A") + shortString("-A:") +
                 bytes({2, 0, 9, 8, 3, 0x8C, 0, 8});
        return f + bytes({0}) + lines + texts + bytes({1, 0});
    };
    const std::string twoTexts = bytes({1}) + shortString("x") + shortString("y") + bytes({0});
    EXPECT_EQ(loadBytes(make(bytes({1, 1, 2, 0, 0, 1, 2, 1, 0, 0}), twoTexts)).first, "(no exception)");
    EXPECT_EQ(loadBytes(make(bytes({1, 1, 2, 5, 0, 0}), twoTexts)).first, refused);         // outside its list
    EXPECT_EQ(loadBytes(make(bytes({1, 1, 2, 0, 0, 1, 2, 0, 0, 0}), twoTexts)).first, refused); // claimed twice
    EXPECT_EQ(loadBytes(make(bytes({1, 1, 2, 0xFE, 0, 0}), twoTexts)).first, refused);      // below -1
    EXPECT_EQ(loadBytes(make(bytes({1, 1, 2, 0, 0, 0}), bytes({1, 0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'x', 0})))
                  .first,
              refused); // a length far beyond the file
    EXPECT_EQ(loadBytes(make(bytes({1, 0}), bytes({1, 0, 1, 0}), 2)).first, refused); // one name twice
}

TEST(StreamFile, ListsOutOfOrderOrWithoutOwnersAreMended) {
    // Another tool wrote the texts unsorted and left one without a line.
    std::string f = shortString("VLstream") + bytes({1}) + shortString("A") + shortString("A") +
                    shortString("-A:") + bytes({2, 0, 9, 8, 3, 0x8C, 0, 8, 0});
    f += bytes({1, 1, 2, 0, 0, 1, 2, 3, 0, 0});                                      // lines: "b", "a"
    f += bytes({1}) + shortString("b") + shortString("orphan") + shortString("") + shortString("a") +
         shortString("zz") + shortString("") + bytes({0});
    f += bytes({1, 0});
    TItemSession d;
    load(d, f);
    EXPECT_TRUE(d.Modified);
    ASSERT_EQ(d.TextList(0).Count(), 2);
    EXPECT_EQ(d.TextList(0).TextAt(0), "a");
    EXPECT_EQ(d.LineText(0, d.GetLanguages()[0]), "b");
    EXPECT_EQ(d.LineAt(0)->GetPositionAt(0), 1);
    EXPECT_EQ(d.LineAt(1)->GetPositionAt(0), 0);
    EXPECT_EQ(d.FindLine("a", d.GetLanguages()[0]), d.LineAt(1));
}
