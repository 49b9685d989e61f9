// Writes the seed dictionaries for the fuzz targets, built with the
// dictionary's own API so that they always match the current writer.
//
//   make_corpus FOLDER             .lgf seeds for fuzz_load_stream
//   make_corpus --partial FOLDER   the same, each behind a few selector
//                                  byte pairs, for fuzz_load_partial
//   make_corpus --workbook FOLDER  workbooks for fuzz_workbook, as files
//                                  and as XML parts (see that target)
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/item_session.h"
#include "dictionary/workbook.h"

#include <zip.h>

using namespace vantelo;

namespace {

TLanguage& addColumn(TItemSession& dict, std::string name, std::string exportStr, bool remark) {
    auto language = std::make_unique<TLanguage>();
    language->Name = std::move(name);
    language->Title = language->Name;
    language->ExportStr = std::move(exportStr);
    language->IsRemark = remark;
    language->Shown = true;
    TLanguage* added = dict.AddLanguage(std::move(language));
    if (!added)
        throw std::runtime_error("column could not be added");
    return *added;
}

std::string emptyDictionary() {
    return TItemSession().SaveToBytes();
}

std::string helloDictionary() {
    TItemSession dict;
    addColumn(dict, "English", "en", false);
    dict.AddWord({"Hello"});
    return dict.SaveToBytes();
}

// Three languages and a remark column with the things real dictionaries
// hold: repeated texts, empty cells, line breaks, a long text, flags, a
// hidden and a read-only column.
std::string fullDictionary() {
    TItemSession dict;
    TLanguage& english = addColumn(dict, "English", "en", false);
    TLanguage& german = addColumn(dict, "German", "de", false);
    TLanguage& french = addColumn(dict, "French", "fr", false);
    TLanguage& note = addColumn(dict, "Note", "", true);

    english.Title = "English (United States)";
    english.ColumnWidth = 200;
    // A tiny flag: length prefix, then the start of a BMP file.
    english.Image.Picture =
        TPicture{"TBitmap", {14, 0, 0, 0, 'B', 'M', 14, 0, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0}};
    english.Image.Left = 2;
    english.Image.Top = 3;
    english.Image.Width = 16;
    english.Image.Height = 11;
    german.Shown = false;
    german.Image.Picture = TPicture{"TIcon", {0, 0, 1, 0, 0, 0}};
    german.Image.Transparent = true;
    french.ReadOnly = true;
    french.Image.Picture = TPicture{};
    note.ColumnWidth = 80;

    std::string longText = "Long: ";
    while (longText.size() < 300)
        longText += "abcdefghij";
    longText.resize(300);

    const std::vector<TLanguageWord> lines = {
        {"Hello", "Hallo", "Bonjour", ""},
        {"Hello", "Guten Tag", "Salut", "same English text as above"},
        {"File", "Datei", "Fichier", ""},
        {"Open", "\xD6\x66\x66nen", "Ouvrir", ""}, // "Öffnen" in Windows-1252
        {"Save", "Speichern", "Enregistrer", "toolbar"},
        {"Save", "Sichern", "", "older wording"},
        {"Close", "", "Fermer", ""},
        {"", "Nur Deutsch", "", ""},
        {"", "", "", "a note without texts"},
        {"Line one\r\nLine two", "Zeile eins\r\nZeile zwei", "Ligne un\r\nLigne deux", "two lines"},
        {longText, longText, "", "300 bytes"},
        {"Cancel", "Abbrechen", "Annuler", ""},
        {"OK", "OK", "OK", ""},
        {"ok", "ok", "ok", "lower case sorts after upper case"},
        {"&File", "&Datei", "&Fichier", "accelerator"},
        {"Error %s", "Fehler %s", "Erreur %s", "format"},
        {"Yes", "Ja", "Oui", ""},
        {"No", "Nein", "Non", ""},
        {"Help", "Hilfe", "Aide", ""},
        {"Exit", "Beenden", "Quitter", "menu"},
        {"Price \xB6", "Preis \xB6", "Prix \xB6", "a lone pilcrow"},
    };
    for (const auto& words : lines)
        dict.AddWord(words);
    return dict.SaveToBytes();
}

// Selector byte pairs for fuzz_load_partial (see its header comment).
constexpr std::pair<uint8_t, uint8_t> Selectors[] = {
    {0x00, 0x00},        // languages only
    {0x01, 0x01},        // index 0
    {0x01, 0x0A},        // indexes 1 and 3
    {0x01, 0xFF},        // indexes 0..7
    {0x01 | 0xA0, 0x05}, // indexes 2, 0, 0, descending with a repeat
    {0x02, 0x01},        // "English"
    {0x02, 0x0A},        // "German", "Note"
    {0x02, 0xFF},        // every name in the table
    {0x02 | 0x50, 0x14}, // "French", "english", "", an unknown name
};

void write(const std::filesystem::path& file, std::string_view prefix, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(prefix.data(), std::streamsize(prefix.size()));
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

// ---- workbooks -------------------------------------------------------------

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof())
        throw std::runtime_error("cannot read " + file.string());
    return bytes;
}

// The parts of a written .xlsx in the order fuzz_workbook packs them.
std::string partsOf(const std::filesystem::path& file) {
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, nullptr);
    if (!archive)
        throw std::runtime_error("cannot open " + file.string());
    std::string joined;
    bool first = true;
    for (const char* name : {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml", "xl/workbook.xml",
                             "xl/_rels/workbook.xml.rels", "_rels/.rels"}) {
        if (!first)
            joined += '\0';
        first = false;
        if (zip_file_t* part = zip_fopen(archive, name, 0)) {
            char chunk[4096];
            for (zip_int64_t n; (n = zip_fread(part, chunk, sizeof chunk)) > 0;)
                joined.append(chunk, size_t(n));
            zip_fclose(part);
        }
    }
    zip_discard(archive);
    return joined;
}

void writeWorkbookSeeds(const std::filesystem::path& folder) {
    const std::filesystem::path scratch = folder / "scratch.xlsx";
    const auto written = [&](const std::string& seed) {
        write(folder / (seed + ".bin"), std::string_view("\0", 1), readBytes(scratch));
        write(folder / (seed + "-parts.bin"), "\x01", partsOf(scratch));
    };

    TItemSession dict;
    addColumn(dict, "English", "-English:", false);
    addColumn(dict, "German", "-German:", false);
    addColumn(dict, "Note", "-Note:", true);
    dict.AddWord({"Hello", "Hallo", ""});
    dict.AddWord({"Size", "Gr\xF6\xDF\x65", "Windows-1252"}); // "Größe"
    dict.AddWord({"Two\r\nlines", "Zwei\r\nZeilen", "line break"});
    dict.AddWord({"", "Nur Deutsch", ""});
    dict.ExportSpreadsheet(scratch.string());
    written("dictionary");

    WriteWorkbook(scratch.string(), {{"A", "", "C"},
                                     {"42", "3.5", "_x0041_ literal"},
                                     {},
                                     {"", "tab\tNUL" + std::string(1, '\0'), "  blanks  "}});
    written("texts");
    std::filesystem::remove(scratch);
    std::filesystem::remove(folder / "scratch.~xlsx");

    // What other writers put in a sheet: inline and rich texts, booleans,
    // formula results, errors, references in other forms or none.
    const std::string sheet =
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)"
        R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>Inline</t></is></c></row>)"
        R"(<row><c t="inlineStr"><is><r><t>in</t></r><r><t xml:space="preserve"> runs </t></r></is></c>)"
        R"(<c><v>42</v></c><c r="$D$2" t="b"><v>1</v></c></row>)"
        R"(<row r="4"><c r="A4" t="str"><f>A1</f><v>Hello</v></c><c r="b4" t="e"><v>#N/A</v></c></row>)"
        R"(</sheetData></worksheet>)";
    const std::string strings =
        R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><r><t>Gr</t></r>)"
        R"(<r><t>&#246;&#223;e_x000D_&#10;</t></r><rPh><t>hint</t></rPh></si></sst>)";
    write(folder / "elsewhere-parts.bin", "\x01", sheet + '\0' + strings);
}

} // namespace

int main(int argc, char** argv) {
    const bool partial = argc == 3 && std::string_view(argv[1]) == "--partial";
    const bool workbook = argc == 3 && std::string_view(argv[1]) == "--workbook";
    const bool text = argc == 3 && std::string_view(argv[1]) == "--text";
    if (argc != 2 && !partial && !workbook && !text) {
        std::fprintf(stderr, "usage: make_corpus [--partial | --workbook | --text] FOLDER\n");
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[argc - 1];
        std::filesystem::create_directories(folder);
        if (workbook) {
            writeWorkbookSeeds(folder);
            return 0;
        }
        const std::pair<const char*, std::string> seeds[] = {
            {"empty", emptyDictionary()},
            {"hello", helloDictionary()},
            {"full", fullDictionary()},
        };
        for (const auto& [name, bytes] : seeds) {
            if (text) {
                // The same dictionaries in the tagged text form.
                vantelo::TItemSession d;
                std::istringstream in(bytes);
                d.LoadFromStream(in);
                write(folder / (std::string(name) + ".txt"), {}, d.ExportTextBytes());
                continue;
            }
            if (!partial) {
                write(folder / (std::string(name) + ".lgf"), {}, bytes);
                continue;
            }
            for (const auto& [selector, choice] : Selectors) {
                char prefix[2] = {char(selector), char(choice)};
                char suffix[16];
                std::snprintf(suffix, sizeof suffix, "-%02x%02x.bin", unsigned(selector),
                              unsigned(choice));
                write(folder / (std::string(name) + suffix), std::string_view(prefix, 2), bytes);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_corpus: %s\n", e.what());
        return 1;
    }
    return 0;
}
