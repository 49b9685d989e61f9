// Feeds arbitrary workbooks to the workbook reader and the spreadsheet
// import. The first byte chooses what the rest is:
//
//   even   the file's bytes as they are (.xlsx zip, legacy .xls, anything)
//   odd    XML parts, separated by NUL bytes, packed into a valid .xlsx:
//          sheet, shared strings, workbook, workbook relationships, package
//          relationships (missing or empty parts are left out)
//
// Zip entries carry checksums, so mutated raw packages seldom get past the
// unpacking; the second form puts the XML readers within the fuzzer's reach.
//
// Whatever is read must be a proper grid, must survive writing and reading
// again unchanged, and must import into a consistent dictionary.
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "dictionary/workbook.h"
#include "fuzz_checks.h"

using namespace vantelo;

namespace {

// One folder per process for the input and the rewritten workbook, removed
// when the fuzzer ends.
struct TemporaryFolder {
    TemporaryFolder() {
        char pattern[] = "/tmp/fuzz-workbook-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        if (!made)
            fuzz::fail("cannot create a temporary folder");
        name = made;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(name, ignored);
    }
    std::string name;
};

const std::string& folder() {
    static const TemporaryFolder made;
    return made.name;
}

void writeRaw(const std::string& file, std::string_view bytes) {
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        fuzz::fail("cannot write the input file");
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written)
        fuzz::fail("cannot write the input file");
}

void writePackage(const std::string& file, std::string_view bytes) {
    static const char* const names[] = {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml",
                                        "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                                        "_rels/.rels"};
    std::vector<std::string_view> parts;
    while (parts.size() < std::size(names)) {
        const size_t end = bytes.find('\0');
        parts.push_back(bytes.substr(0, end));
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        fuzz::fail("cannot create the package");
    for (size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].empty())
            continue;
        zip_source_t* source = zip_source_buffer(archive, parts[i].data(), parts[i].size(), 0);
        if (!source || zip_file_add(archive, names[i], source, 0) < 0)
            fuzz::fail("cannot add a part to the package");
    }
    if (zip_close(archive) != 0)
        fuzz::fail("cannot write the package");
}

void checkGrid(const WorkbookRows& rows) {
    fuzz::check(rows.size() <= size_t(WorkbookMaxRows), "more rows than a worksheet has");
    if (rows.empty())
        return;
    const size_t columns = rows[0].size();
    fuzz::check(columns > 0 && columns <= size_t(WorkbookMaxColumns),
                "a grid row is empty or too long");
    fuzz::check(rows.size() * columns <= WorkbookMaxCells, "a grid larger than allowed");
    bool lastRowUsed = false, lastColumnUsed = false;
    for (const auto& row : rows) {
        fuzz::check(row.size() == columns, "grid rows differ in length");
        lastColumnUsed = lastColumnUsed || !row.back().empty();
    }
    for (const auto& cell : rows.back())
        lastRowUsed = lastRowUsed || !cell.empty();
    fuzz::check(lastRowUsed && lastColumnUsed, "the grid reaches beyond the used range");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::string input = folder() + "/input";
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0)
        writeRaw(input, bytes);
    else
        writePackage(input, bytes);

    WorkbookRows rows;
    try {
        rows = ReadWorkbook(input);
    } catch (const ELangException&) {
        return 0;
    }
    checkGrid(rows);

    size_t cells = 0;
    for (const auto& row : rows)
        cells += row.size();
    if (cells > 100000) // keep the rounds quick
        return 0;

    // What we write must read back as it was read.
    const std::string again = folder() + "/again.xlsx";
    try {
        WriteWorkbook(again, rows);
    } catch (const ELangException&) {
        return 0; // a text longer than a workbook cell holds
    }
    fuzz::check(ReadWorkbook(again) == rows,
                "a workbook written from what was read reads back different");

    TItemSession dict;
    try {
        dict.ImportSpreadsheet(input);
    } catch (const ELangException&) {
    }
    fuzz::checkLinkedDictionary(dict);
    return 0;
}
