// Spreadsheet workbooks: the dictionary's round trip through a workbook, the
// file we write, workbooks from elsewhere (.xlsx by hand, legacy .xls) and
// files that are missing, foreign or damaged.
#include <gtest/gtest.h>

#include "support/columns.h"
#include "support/lang_message.h"

#include <zip.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

#include "dictionary/code_page.h"
#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "dictionary/workbook.h"

using namespace vantelo;
namespace fs = std::filesystem;

using vantelo::testing::AddColumn;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;


std::string message(const std::function<void()>& f) {
    return vantelo::testing::LangMessage(f);
}

std::vector<std::vector<std::string>> linesOf(const TItemSession& d) {
    std::vector<std::vector<std::string>> lines;
    for (const auto& line : d.Lines()) {
        auto& texts = lines.emplace_back();
        for (int c = 0; c < d.ColumnCount(); ++c)
            texts.push_back(line->GetTextAt(c));
    }
    return lines;
}

void writeZip(const fs::path& file, const Entries& entries) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, data] : entries) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        ASSERT_NE(source, nullptr);
        ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

std::string zipEntry(const fs::path& file, const std::string& name) {
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, nullptr);
    if (!archive)
        return "<no zip>";
    std::string data = "<no entry>";
    if (zip_file_t* entry = zip_fopen(archive, name.c_str(), 0)) {
        data.clear();
        char chunk[4096];
        for (zip_int64_t n; (n = zip_fread(entry, chunk, sizeof chunk)) > 0;)
            data.append(chunk, size_t(n));
        zip_fclose(entry);
    }
    zip_discard(archive);
    return data;
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string Xml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";
const std::string Main = R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
const std::string RelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// A package as spreadsheet applications lay it out, with the given sheet
// and shared strings parts.
Entries package(const std::string& sheet, const std::string& sharedStrings) {
    return {
        {"_rels/.rels",
         Xml +
             R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
             R"(<Relationship Id="rId1" Type=")" +
             RelNs +
             R"(/officeDocument" Target="xl/workbook.xml"/>)"
             "</Relationships>"},
        {"xl/workbook.xml",
         Xml + "<workbook " + Main + R"( xmlns:r=")" + RelNs +
             R"("><sheets>)"
             R"(<sheet name="Words" sheetId="1" r:id="rId7"/>)"
             R"(<sheet name="Other" sheetId="2" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         Xml +
             R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
             R"(<Relationship Id="rId1" Type=")" +
             RelNs +
             R"(/worksheet" Target="worksheets/sheet1.xml"/>)"
             R"(<Relationship Id="rId7" Type=")" +
             RelNs +
             R"(/worksheet" Target="/xl/worksheets/words.xml"/>)"
             R"(<Relationship Id="rId9" Type=")" +
             RelNs +
             R"(/sharedStrings" Target="strings.xml"/>)"
             "</Relationships>"},
        {"xl/worksheets/sheet1.xml",
         Xml + "<worksheet " + Main +
             R"(><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>wrong sheet</t></is></c></row></sheetData></worksheet>)"},
        {"xl/worksheets/words.xml",
         Xml + "<worksheet " + Main + "><sheetData>" + sheet + "</sheetData></worksheet>"},
        {"xl/strings.xml", Xml + "<sst " + Main + ">" + sharedStrings + "</sst>"},
    };
}

// A legacy .xls: an OLE2 compound file (512-byte sectors: FAT, directory,
// then the "Workbook" stream) around BIFF8 records. Cells are given as
// records of the worksheet; texts are in the shared string table.
class XlsBuilder {
public:
    void text(uint16_t row, uint16_t column, const std::u16string& text) {
        put16(cells_, 0x00FD);
        put16(cells_, 10);
        put16(cells_, row);
        put16(cells_, column);
        put16(cells_, 15);
        put32(cells_, uint32_t(strings_.size()));
        strings_.push_back(text);
        grow(row, column);
    }
    void number(uint16_t row, uint16_t column, double value) {
        put16(cells_, 0x0203);
        put16(cells_, 14);
        put16(cells_, row);
        put16(cells_, column);
        put16(cells_, 15);
        char bytes[8];
        std::memcpy(bytes, &value, 8);
        cells_.append(bytes, 8);
        grow(row, column);
    }
    void integer(uint16_t row, uint16_t column, int32_t value) { // an RK record
        put16(cells_, 0x027E);
        put16(cells_, 10);
        put16(cells_, row);
        put16(cells_, column);
        put16(cells_, 15);
        put32(cells_, (uint32_t(value) << 2) | 2);
        grow(row, column);
    }

    std::string file() const {
        std::string globals, sheet;
        bof(globals, 0x0005);
        record(globals, 0x0042, {0xB0, 0x04}); // code page 1200: UTF-16
        std::string xf;                        // 16 cell formats, all "General"
        for (int i = 0; i < 20; ++i) {
            std::string body(20, '\0');
            body[4] = char(i < 15 ? 0xF5 : 0x01); // style records, then cell records
            body[5] = char(i < 15 ? 0xFF : 0x00);
            xf += header(0x00E0, body.size()) + body;
        }
        globals += xf;
        std::string sst;
        put32(sst, uint32_t(strings_.size()));
        put32(sst, uint32_t(strings_.size()));
        for (const auto& s : strings_) {
            put16(sst, uint16_t(s.size()));
            sst += char(1); // UTF-16 characters
            for (char16_t c : s)
                put16(sst, c);
        }
        globals += header(0x00FC, sst.size()) + sst;
        const std::string name = "Words";
        const size_t boundSheetSize = 4 + 8 + name.size();
        const size_t eofSize = 4;
        const uint32_t sheetOffset = uint32_t(globals.size() + boundSheetSize + eofSize);
        std::string boundSheet;
        put32(boundSheet, sheetOffset);
        boundSheet += std::string("\0\0", 2);
        boundSheet += char(name.size());
        boundSheet += char(0);
        boundSheet += name;
        globals += header(0x0085, boundSheet.size()) + boundSheet;
        globals += header(0x000A, 0);

        bof(sheet, 0x0010);
        std::string dimensions;
        put32(dimensions, 0);
        put32(dimensions, rows_);
        put16(dimensions, 0);
        put16(dimensions, columns_);
        put16(dimensions, 0);
        sheet += header(0x0200, dimensions.size()) + dimensions + cells_ + header(0x000A, 0);
        return compoundFile(globals + sheet);
    }

private:
    static void put16(std::string& out, uint32_t v) {
        out += char(v & 0xFF);
        out += char((v >> 8) & 0xFF);
    }
    static void put32(std::string& out, uint32_t v) {
        put16(out, v & 0xFFFF);
        put16(out, v >> 16);
    }
    static std::string header(uint16_t type, size_t size) {
        std::string out;
        put16(out, type);
        put16(out, uint16_t(size));
        return out;
    }
    static void record(std::string& out, uint16_t type, std::initializer_list<uint8_t> body) {
        out += header(type, body.size());
        for (uint8_t b : body)
            out += char(b);
    }
    static void bof(std::string& out, uint16_t kind) {
        std::string body;
        put16(body, 0x0600);
        put16(body, kind);
        put16(body, 0x0DBB);
        put16(body, 0x07CC);
        put32(body, 0);
        put32(body, 0x0006);
        out += header(0x0809, body.size()) + body;
    }
    void grow(uint16_t row, uint16_t column) {
        rows_ = std::max<uint32_t>(rows_, row + 1u);
        columns_ = std::max<uint16_t>(columns_, uint16_t(column + 1));
    }

    static std::string compoundFile(std::string stream) {
        constexpr uint32_t Free = 0xFFFFFFFF, End = 0xFFFFFFFE, FatSector = 0xFFFFFFFD;
        if (stream.size() < 4096) // smaller streams would live in the mini stream
            stream.resize(4096, '\0');
        stream.resize((stream.size() + 511) / 512 * 512, '\0');
        const uint32_t streamSectors = uint32_t(stream.size() / 512);

        std::string head = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(16, '\0');
        put16(head, 0x003E);
        put16(head, 0x0003);
        put16(head, 0xFFFE);
        put16(head, 9);
        put16(head, 6);
        head += std::string(6, '\0');
        put32(head, 0);    // directory sectors (version 3: none counted)
        put32(head, 1);    // FAT sectors
        put32(head, 1);    // first directory sector
        put32(head, 0);    // transaction signature
        put32(head, 4096); // mini stream cutoff
        put32(head, End);  // no mini FAT
        put32(head, 0);
        put32(head, End); // no further DIFAT
        put32(head, 0);
        put32(head, 0); // the FAT is sector 0
        for (int i = 1; i < 109; ++i)
            put32(head, Free);

        std::string fat;
        put32(fat, FatSector);
        put32(fat, End);
        for (uint32_t i = 0; i < streamSectors; ++i)
            put32(fat, i + 1 == streamSectors ? End : 2 + i + 1);
        fat.resize(512, '\xFF');

        std::string directory;
        const auto entry = [&](const std::u16string& name, uint8_t type, uint32_t child,
                               uint32_t start, uint32_t size) {
            std::string e;
            for (char16_t c : name)
                put16(e, c);
            e.resize(64, '\0');
            put16(e, name.empty() ? 0 : uint16_t((name.size() + 1) * 2));
            e += char(type);
            e += char(1); // black
            put32(e, Free);
            put32(e, Free);
            put32(e, child);
            e += std::string(16 + 4 + 16, '\0');
            put32(e, start);
            put32(e, size);
            put32(e, 0);
            directory += e;
        };
        entry(u"Root Entry", 5, 1, End, 0);
        entry(u"Workbook", 2, Free, 2, uint32_t(stream.size()));
        entry(u"", 0, Free, 0, 0);
        entry(u"", 0, Free, 0, 0);
        return head + fat + directory + stream;
    }

    std::vector<std::u16string> strings_;
    std::string cells_;
    uint32_t rows_ = 0;
    uint16_t columns_ = 0;
};

class Workbook : public ::testing::Test {
protected:
    void SetUp() override {
        CodePage::SetCurrent(std::string(CodePage::Default));
        folder = fs::temp_directory_path() /
                 ("vantelo-workbook-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        CodePage::SetCurrent(std::string(CodePage::Default));
        fs::remove_all(folder);
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    std::vector<std::string> filesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path folder;
};

} // namespace

TEST_F(Workbook, DictionaryComesBackFromItsSpreadsheet) {
    TItemSession d;
    AddColumn(d, "English");
    AddColumn(d, "German");
    AddColumn(d, "Note", true);
    const std::vector<TLanguageWord> lines = {
        {"Hello", "Hallo", ""},
        {"Size",
         "Gr\xF6\xDF"
         "e",
         "Windows-1252 bytes"},
        {"Two\r\nlines", "Zwei\r\nZeilen", "line breaks"},
        {"", "Nur Deutsch", ""},
        {"42", "3.50", "numbers stay texts"},
        {"_x0041_ and _x", "tab\there", "  blanks around  "},
        {"_x0041\x13 controls \x01\x1F", "_x005F_", "_"},
        {"", "", "only a note"},
    };
    for (const auto& words : lines)
        d.AddWord(words);
    d.Modified = false;
    d.ExportSpreadsheet(path("book.xlsx"));
    EXPECT_FALSE(d.Modified);

    TItemSession back;
    back.ImportSpreadsheet(path("book.xlsx"));
    EXPECT_TRUE(back.Modified);
    ASSERT_EQ(back.ColumnCount(), 3);
    for (int c = 0; c < 3; ++c) {
        const TLanguage& l = back.GetLanguages()[c];
        EXPECT_EQ(l.Name, d.GetLanguages()[c].Name);
        EXPECT_EQ(l.Title, l.Name);
        EXPECT_EQ(l.ExportStr, "-" + l.Name + ":>");
        EXPECT_FALSE(l.IsRemark); // the sheet has no place for the remark flag
        EXPECT_TRUE(l.Shown);
    }
    EXPECT_EQ(linesOf(back), linesOf(d));

    // Into the dictionary it came from: the columns are found by name
    // (letter case aside), the lines are added again.
    d.GetLanguages()[1].Name = "GERMAN";
    d.ImportSpreadsheet(path("book.xlsx"));
    EXPECT_EQ(d.ColumnCount(), 3);
    EXPECT_EQ(d.LineCount(), 2 * int(lines.size()));
    EXPECT_EQ(d.GetLanguages()[1].ExportStr, "-German:");
}

TEST_F(Workbook, ImportRegistersNewHeadersAndSkipsGaps) {
    WriteWorkbook(path("new.xlsx"),
                  {{"English", "", "Open"}, {"File", "", "Datei \xC3\xB6"}, {}, {"", "", "Nur"}});
    TItemSession d;
    AddColumn(d, "english");
    d.Modified = false;
    d.ImportSpreadsheet(path("new.xlsx"));
    ASSERT_EQ(d.ColumnCount(), 2);
    EXPECT_EQ(d.GetLanguages()[0].ExportStr, "-english:");
    EXPECT_EQ(d.GetLanguages()[1].Name, "Open");
    EXPECT_EQ(d.GetLanguages()[1].ExportStr, "-Open:>");
    EXPECT_EQ(linesOf(d),
              (std::vector<std::vector<std::string>>{{"File", "Datei \xF6"}, {"", "Nur"}}));
    EXPECT_TRUE(d.Modified);

    // An unnamed column with texts would lose them: refused before anything changes.
    WriteWorkbook(path("unnamed.xlsx"), {{"English", "", "Open"}, {"File", "lost", "Datei"}});
    EXPECT_EQ(message([&] { d.ImportSpreadsheet(path("unnamed.xlsx")); }),
              "Column B of " + path("unnamed.xlsx") + " holds texts but has no name in row 1.");
    EXPECT_EQ(d.LineCount(), 2);

    // An empty sheet changes nothing.
    WriteWorkbook(path("empty.xlsx"), {});
    d.Modified = false;
    d.ImportSpreadsheet(path("empty.xlsx"));
    EXPECT_EQ(d.LineCount(), 2);
    EXPECT_FALSE(d.Modified);
}

TEST_F(Workbook, CellTheCodePageCannotHoldIsNamed) {
    const std::string book = path("cjk.xlsx");
    WriteWorkbook(
        book, {{"English", "Chinese"}, {"One", "One"}, {"Two", "\xE4\xBA\x8C"}, {"Three", "3"}});
    TItemSession d;
    EXPECT_EQ(message([&] { d.ImportSpreadsheet(book); }),
              "Cell B3 of " + book +
                  " cannot be held by code page WINDOWS-1252: Text \"\\u4E8C\" contains U+4E8C, "
                  "which code "
                  "page WINDOWS-1252 cannot hold. The columns and lines read before the failure "
                  "were kept.");
    EXPECT_EQ(d.ColumnCount(), 2);
    EXPECT_EQ(linesOf(d), (std::vector<std::vector<std::string>>{{"One", "One"}}));

    // A header that fails before anything is added says nothing about kept lines.
    WriteWorkbook(book, {{"\xE4\xBA\x8C"}, {"x"}});
    TItemSession empty;
    EXPECT_EQ(message([&] { empty.ImportSpreadsheet(book); }),
              "Cell A1 of " + book +
                  " cannot be held by code page WINDOWS-1252: Text \"\\u4E8C\" contains U+4E8C, "
                  "which code "
                  "page WINDOWS-1252 cannot hold.");
    EXPECT_EQ(empty.ColumnCount(), 0);
    EXPECT_FALSE(empty.Modified);

    // In UTF-8 every character fits; bytes that are not UTF-8 cannot be exported.
    CodePage::SetCurrent("UTF-8");
    empty.ImportSpreadsheet(book);
    EXPECT_EQ(empty.GetLanguages()[0].Name, "\xE4\xBA\x8C");
    empty.AddWord({"bad \xFF"});
    EXPECT_EQ(message([&] { empty.ExportSpreadsheet(path("out.xlsx")); }),
              "Cell A3 of " + path("out.xlsx") +
                  " cannot be written: Text \"bad \\xFF\" is not valid UTF-8: bad sequence at "
                  "position 5.");
    EXPECT_FALSE(fs::exists(path("out.xlsx")));
}

TEST_F(Workbook, HeaderIsFormattedAndCellsAreTexts) {
    const std::string book = path("format.xlsx");
    WriteWorkbook(book, {{"Name", "Long header"}, {"12", std::string(300, 'w')}, {"", "x"}});
    const std::string styles = zipEntry(book, "xl/styles.xml");
    const size_t font = styles.find("<font><b/><i/><u/>");
    ASSERT_NE(font, std::string::npos) << styles;
    EXPECT_EQ(styles.find("<color rgb=\"FF000080\"/>", font), styles.find("<color", font))
        << styles;

    const std::string sheet = zipEntry(book, "xl/worksheets/sheet1.xml");
    // "12" is written as a text, the header with its own format, empty cells not at all.
    EXPECT_NE(sheet.find(R"(<c r="A2" t="s"><v>)"), std::string::npos) << sheet;
    EXPECT_NE(sheet.find(R"(<c r="A1" s="1" t="s">)"), std::string::npos) << sheet;
    EXPECT_EQ(sheet.find(R"(r="A3")"), std::string::npos) << sheet;
    // Widths follow the texts, the long one capped (the file adds the
    // cell margins to the width given).
    const auto width = [&](int column) {
        const std::string key = "<col min=\"" + std::to_string(column) + "\" max=\"" +
                                std::to_string(column) + "\" width=\"";
        const size_t at = sheet.find(key);
        return at == std::string::npos ? 0.0 : std::stod(sheet.substr(at + key.size()));
    };
    EXPECT_GT(width(1), 5.0);
    EXPECT_LT(width(1), 8.0);
    EXPECT_GT(width(2), 100.0);
    EXPECT_LT(width(2), 102.0);
}

TEST_F(Workbook, WritingIsSafe) {
    const std::string book = path("dict.xlsx");
    writeFile(book, "previous");
    WriteWorkbook(book, {{"A"}, {"new"}});
    EXPECT_EQ(readFile(path("dict.~xlsx")), "previous");
    EXPECT_EQ(ReadWorkbook(book), (WorkbookRows{{"A"}, {"new"}}));

    // A cell longer than a workbook cell holds fails after writing began:
    // the previous file and its backup stay, no temporary file is left.
    EXPECT_EQ(message([&] {
                  WriteWorkbook(book, {{"A"}, {std::string(40000, 'x')}});
              }),
              "Cannot write the file " + book +
                  ": cell A2: a workbook cell holds at most 32,767 characters.");
    EXPECT_EQ(ReadWorkbook(book), (WorkbookRows{{"A"}, {"new"}}));
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"dict.xlsx", "dict.~xlsx"}));

    EXPECT_EQ(message([&] { WriteWorkbook(path("old.XLS"), {{"A"}}); }),
              "Workbooks are written as .xlsx; choose a file name ending in .xlsx instead of " +
                  path("old.XLS") + ".");
    TItemSession d;
    AddColumn(d, "English");
    const std::string missing = path("missing/dict.xlsx");
    EXPECT_EQ(message([&] { d.ExportSpreadsheet(missing); }),
              "Cannot write the file " + missing + ": No such file or directory.");
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"dict.xlsx", "dict.~xlsx"}));
}

TEST_F(Workbook, ReadsWorkbooksFromElsewhere) {
    const std::string sheet =
        // shared strings, a rich text, inline strings, numbers, booleans,
        // formula results, an error; references in either form or none
        R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="inlineStr"><is><t>Inline</t></is></c></row>)"
        R"(<row r="2"><c r="A2" t="s"><v>2</v></c><c t="inlineStr"><is><r><t>in</t></r><r><rPr><b/></rPr><t xml:space="preserve"> runs </t></r></is></c><c><v>42</v></c></row>)"
        R"(<row r="4"><c r="$B$4"><v>3.5</v></c><c r="c4" t="b"><v>1</v></c><c r="D4" t="b"><v>0</v></c></row>)"
        R"(<row><c r="A5" t="str"><f>A1&amp;"!"</f><v>Hello!</v></c><c r="B5" t="e"><v>#N/A</v></c><c r="E5" t="inlineStr"><is><t></t></is></c></row>)";
    const std::string strings =
        R"(<si><t>Hello</t></si><si><r><t>Gr</t></r><r><rPr><i/></rPr><t>&#246;&#223;e</t></r>)"
        R"(<rPh sb="0" eb="1"><t>hint</t></rPh></si><si><t>a_x000D_&#10;b _x005F_x0041_</t></si>)";
    writeZip(folder / "elsewhere.xlsx", package(sheet, strings));
    EXPECT_EQ(ReadWorkbook(path("elsewhere.xlsx")),
              (WorkbookRows{{"Hello",
                             "Gr\xC3\xB6\xC3\x9F"
                             "e",
                             "Inline", ""},
                            {"a\r\nb _x0041_", "in runs ", "42", ""},
                            {"", "", "", ""},
                            {"", "3.5", "TRUE", "FALSE"},
                            {"Hello!", "#N/A", "", ""}}));

    // Prefixed elements, no relationships: the usual part names are taken.
    writeZip(
        folder / "plain.xlsx",
        {{"xl/worksheets/sheet1.xml",
          R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:sheetData>)"
          R"(<x:row><x:c t="inlineStr"><x:is><x:t>one</x:t></x:is></x:c><x:c t="s"><x:v>0</x:v></x:c></x:row>)"
          R"(</x:sheetData></x:worksheet>)"},
         {"xl/sharedStrings.xml", "<sst><si><t>two</t></si></sst>"}});
    EXPECT_EQ(ReadWorkbook(path("plain.xlsx")), (WorkbookRows{{"one", "two"}}));
}

TEST_F(Workbook, ReadsLegacyXls) {
    XlsBuilder xls;
    xls.text(0, 0, u"English");
    xls.text(0, 2, u"German");
    xls.text(1, 0, u"Size");
    xls.text(1, 2, u"Gr\u00F6\u00DFe \u03A9");
    xls.number(2, 0, 3.5);
    xls.integer(2, 2, 42);
    xls.text(3, 1, u"two\nlines");
    writeFile(folder / "old.xls", xls.file());
    const WorkbookRows expected{{"English", "", "German"},
                                {"Size", "",
                                 "Gr\xC3\xB6\xC3\x9F"
                                 "e \xCE\xA9"},
                                {"3.5", "", "42"},
                                {"", "two\nlines", ""}};
    EXPECT_EQ(ReadWorkbook(path("old.xls")), expected);

    // The content decides, not the name.
    fs::copy_file(folder / "old.xls", folder / "old.xlsx");
    EXPECT_EQ(ReadWorkbook(path("old.xlsx")), expected);

    // A dictionary kept as .xls (made by the builder above, also a fuzz seed).
    TItemSession d;
    d.ImportSpreadsheet(
        (fs::path(__FILE__).parent_path().parent_path() / "data" / "words.xls").string());
    EXPECT_EQ(linesOf(d),
              (std::vector<std::vector<std::string>>{{"Size",
                                                      "Gr\xF6\xDF"
                                                      "e",
                                                      ""},
                                                     {"Two\r\nlines", "Zwei\r\nZeilen", "3.5"},
                                                     {"", "Nur Deutsch", "42"}}));
}

TEST_F(Workbook, BadFilesAreNamedNeverTrusted) {
    const auto read = [&](const std::string& name) {
        return message([&] { ReadWorkbook(path(name)); });
    };
    EXPECT_EQ(read("none.xlsx"),
              "Cannot read the workbook " + path("none.xlsx") + ": No such file or directory.");
    fs::create_directory(folder / "folder.xlsx");
    EXPECT_EQ(read("folder.xlsx"),
              "Cannot read the workbook " + path("folder.xlsx") + ": it is not a regular file.");

    writeFile(folder / "text.xlsx", "English\tGerman\r\n");
    writeFile(folder / "empty.xlsx", "");
    writeZip(folder / "document.xlsx", {{"word/document.xml", "<document/>"}});
    writeFile(folder / "ole.xls",
              std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, 'g'));
    for (const char* name : {"text.xlsx", "empty.xlsx", "document.xlsx"})
        EXPECT_EQ(read(name), "File " + path(name) + " is not a workbook.");
    EXPECT_EQ(read("ole.xls").rfind("Workbook " + path("ole.xls") + " is damaged: ", 0), 0u)
        << read("ole.xls");

    std::string zip = readFile(path("document.xlsx"));
    writeFile(folder / "cut.xlsx", zip.substr(0, zip.size() - 10));
    EXPECT_EQ(read("cut.xlsx"),
              "Workbook " + path("cut.xlsx") + " is damaged: its zip directory is missing.");

    // A part that claims to unpack to 1 GiB is refused before it is read.
    writeZip(folder / "claims.xlsx", {{"xl/worksheets/sheet1.xml", "<worksheet/>"}});
    zip = readFile(path("claims.xlsx"));
    const size_t central = zip.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    zip.replace(central + 24, 4, std::string("\0\0\0\x40", 4));
    writeFile(folder / "claims.xlsx", zip);
    EXPECT_EQ(read("claims.xlsx"),
              "Workbook " + path("claims.xlsx") +
                  " is too large to read: the part xl/worksheets/sheet1.xml unpacks to more "
                  "than 256 MiB.");

    const auto sheetOnly = [&](const std::string& name, const std::string& sheet) {
        writeZip(folder / name, {{"xl/worksheets/sheet1.xml",
                                  "<worksheet><sheetData>" + sheet + "</sheetData></worksheet>"}});
        return read(name);
    };
    EXPECT_EQ(sheetOnly("xml.xlsx", "<row><c>"),
              "Workbook " + path("xml.xlsx") +
                  " is damaged: the part xl/worksheets/sheet1.xml is not "
                  "well-formed XML (Start-end tags mismatch at byte 32).");
    EXPECT_EQ(sheetOnly("sst.xlsx", R"(<row><c t="s"><v>0</v></c></row>)"),
              "Workbook " + path("sst.xlsx") +
                  " is damaged: cell A1 refers to a missing shared string.");
    EXPECT_EQ(sheetOnly("ref.xlsx", R"(<row><c r="XFE1"><v>1</v></c></row>)"),
              "Workbook " + path("ref.xlsx") + " is damaged: a cell has the reference \"XFE1\".");
    EXPECT_EQ(
        sheetOnly("huge.xlsx",
                  R"(<row><c r="A1"><v>1</v></c><c r="XFD1048576"><v>1</v></c></row>)"),
        "Workbook " + path("huge.xlsx") +
            " is too large to read: its used range A1:XFD1048576 has more than 16777216 cells.");
}
