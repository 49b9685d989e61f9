#include "dictionary/workbook.h"

#include <freexl.h>
#include <malloc.h>
#include <pugixml.hpp>
#include <xlsxwriter.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <poll.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "dictionary/lang_exception.h"
#include "dictionary/safe_file.h"

namespace vantelo {
namespace {

// ---- shared helpers --------------------------------------------------------

ELangException failure(std::string_view templ, std::initializer_list<std::string_view> args) {
    return ELangException::Format(templ, args);
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    text.remove_prefix(text.size() - suffix.size());
    return std::equal(text.begin(), text.end(), suffix.begin(), suffix.end(), [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Workbook texts escape characters that XML cannot carry as _xHHHH_ (a
// UTF-16 code unit in hex); a literal "_x" that would read as such an escape
// has its underscore escaped as _x005F_.
bool escapeAt(std::string_view text, size_t at, char16_t& unit) {
    if (text.size() - at < 7 || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return false;
    unsigned value = 0;
    const auto [end, error] =
        std::from_chars(text.data() + at + 2, text.data() + at + 6, value, 16);
    if (error != std::errc() || end != text.data() + at + 6)
        return false;
    unit = char16_t(value);
    return true;
}

std::string unescapeText(std::string_view text) {
    if (text.find('_') == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        char16_t unit;
        if (!escapeAt(text, at, unit)) {
            out += text[at++];
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            char16_t low;
            if (escapeAt(text, at + 7, low) && low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out,
                           0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
                at += 14;
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) { // a lone surrogate stays as written
            out.append(text.substr(at, 7));
        } else {
            appendUtf8(out, unit);
        }
        at += 7;
    }
    return out;
}

// XML cannot carry most control characters, nor U+FFFE and U+FFFF; they are
// escaped here rather than left to libxlsxwriter, which takes C strings (no
// NUL) and would not escape an underscore before its own escapes. Every "_x"
// of the text has its underscore escaped, so that no escape is read where
// the text has none.
std::string escapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c < 0x20 && c != '\t' && c != '\n') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "_x%04X_", unsigned(c));
            out += escape;
        } else if (c == '_' && at + 1 < text.size() && text[at + 1] == 'x') {
            out += "_x005F_";
        } else if (c == 0xEF && text.substr(at, 3) == "\xEF\xBF\xBE") {
            out += "_xFFFE_";
            at += 2;
        } else if (c == 0xEF && text.substr(at, 3) == "\xEF\xBF\xBF") {
            out += "_xFFFF_";
            at += 2;
        } else {
            out += char(c);
        }
    }
    return out;
}

// ---- writing ---------------------------------------------------------------

constexpr double MaxColumnWidth = 100;

// Characters of the longest line of a text (UTF-8 lead bytes, CR not counted).
size_t longestLine(std::string_view text) {
    size_t longest = 0, current = 0;
    for (char c : text) {
        if (c == '\n') {
            longest = std::max(longest, current);
            current = 0;
        } else if (c != '\r' && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++current;
        }
    }
    return std::max(longest, current);
}

// Column widths in the spreadsheet's unit, the width of a digit; 0 leaves
// a column without texts at its default width.
std::vector<double> columnWidths(const WorkbookRows& rows) {
    std::vector<double> widths;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() > widths.size())
            widths.resize(rows[r].size());
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c].empty())
                continue;
            // Most letters are narrower than a digit, capitals and bold ones
            // (the header) about as wide; one more for the cell's margins.
            const double characters = double(longestLine(rows[r][c])) * (r == 0 ? 1.15 : 1.0);
            widths[c] = std::max(widths[c], std::min(MaxColumnWidth, characters + 1.0));
        }
    }
    return widths;
}

// Removes the temporary file unless it was put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string name) : name_(std::move(name)) {}
    ~TemporaryFile() {
        if (!name_.empty())
            ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& name() const { return name_; }
    void release() { name_.clear(); }

private:
    std::string name_;
};

[[noreturn]] void cannotWrite(const std::string& fileName, std::string_view reason) {
    if (reason.ends_with('.')) // libxlsxwriter's texts end with one
        reason.remove_suffix(1);
    throw failure(messages::CannotWriteFile, {fileName + ": " + std::string(reason)});
}

} // namespace

std::string ColumnName(int column) {
    std::string letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), char('A' + (c - 1) % 26));
    return letters;
}

std::string CellName(int row, int column) {
    return ColumnName(column) + std::to_string(row + 1);
}

void WriteWorkbook(const std::string& fileName, const WorkbookRows& rows) {
    if (endsWithNoCase(fileName, ".xls"))
        throw failure(messages::WorkbookWrittenAsXlsx, {fileName});
    if (rows.size() > size_t(WorkbookMaxRows))
        cannotWrite(fileName, "a worksheet holds at most 1,048,576 rows");
    for (const auto& row : rows)
        if (row.size() > size_t(WorkbookMaxColumns))
            cannotWrite(fileName, "a worksheet holds at most 16,384 columns");
    const std::vector<double> widths = columnWidths(rows);

    TemporaryFile temp(CreateTemporaryBeside(fileName));
    lxw_workbook* workbook = workbook_new(temp.name().c_str());
    if (!workbook)
        cannotWrite(fileName, lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));

    // workbook_close frees the workbook whatever happened, so the first
    // failure is remembered and reported after it.
    std::string problem;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* header = workbook_add_format(workbook);
    if (!sheet || !header) {
        problem = lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
    } else {
        format_set_bold(header);
        format_set_italic(header);
        format_set_underline(header, LXW_UNDERLINE_SINGLE);
        format_set_font_color(header, 0x000080);
    }
    for (size_t r = 0; r < rows.size() && problem.empty(); ++r) {
        for (size_t c = 0; c < rows[r].size() && problem.empty(); ++c) {
            if (rows[r][c].empty())
                continue;
            const lxw_error error =
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c),
                                       escapeText(rows[r][c]).c_str(), r == 0 ? header : nullptr);
            if (error != LXW_NO_ERROR)
                problem = "cell " + CellName(int(r), int(c)) + ": " +
                          (error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED
                               ? "a workbook cell holds at most 32,767 characters"
                               : lxw_strerror(error));
        }
    }
    for (size_t c = 0; c < widths.size() && problem.empty(); ++c) {
        if (widths[c] == 0)
            continue;
        const lxw_error error =
            worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
        if (error != LXW_NO_ERROR)
            problem = lxw_strerror(error);
    }
    const lxw_error closed = workbook_close(workbook);
    if (problem.empty() && closed != LXW_NO_ERROR)
        problem = lxw_strerror(closed);
    if (!problem.empty())
        cannotWrite(fileName, problem);

    InstallFileSafely(temp.name(), fileName);
    temp.release();
}

// ---- reading ---------------------------------------------------------------

namespace {

// The most one XML part may unpack to, all parts together, and the memory
// the parsed form of one part may take.
constexpr size_t MaxPartBytes = size_t(256) << 20;
constexpr size_t MaxPackageBytes = size_t(512) << 20;
constexpr size_t MaxDocumentBytes = size_t(2) << 30;

// pugixml has no limit of its own: a part of tiny elements costs many times
// its size once parsed. Parsing runs under a budget that its allocations
// count against; outside a parse (no budget) the functions are plain malloc
// and free, so memory from either side may be freed by the other.
struct MemoryBudget {
    size_t used = 0;
    size_t limit = 0;
};
thread_local MemoryBudget* activeBudget = nullptr;

void* budgetedAllocate(size_t size) {
    if (activeBudget && size > activeBudget->limit - activeBudget->used)
        return nullptr;
    void* memory = std::malloc(size);
    if (memory && activeBudget)
        activeBudget->used +=
            std::min(malloc_usable_size(memory), activeBudget->limit - activeBudget->used);
    return memory;
}

void budgetedDeallocate(void* memory) {
    if (memory && activeBudget)
        activeBudget->used -= std::min(malloc_usable_size(memory), activeBudget->used);
    std::free(memory);
}

class BudgetScope {
public:
    explicit BudgetScope(MemoryBudget& budget) : previous_(activeBudget) {
        static std::once_flag installed;
        std::call_once(installed, [] {
            pugi::set_memory_management_functions(budgetedAllocate, budgetedDeallocate);
        });
        activeBudget = &budget;
    }
    ~BudgetScope() { activeBudget = previous_; }
    BudgetScope(const BudgetScope&) = delete;
    BudgetScope& operator=(const BudgetScope&) = delete;

private:
    MemoryBudget* previous_;
};

// A parsed XML part. The document points into the part's bytes and frees
// its nodes under the budget it was parsed with.
class XmlPart {
public:
    XmlPart() = default;
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;
    pugi::xml_node root() const { return document_.document_element(); }
    ~XmlPart() {
        BudgetScope scope(budget_);
        document_.reset();
    }

private:
    friend class Package;
    std::string bytes_;
    MemoryBudget budget_{0, MaxDocumentBytes};
    pugi::xml_document document_;
};

std::string_view localName(std::string_view name) {
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool named(const pugi::xml_node& node, std::string_view name) {
    return node.type() == pugi::node_element && localName(node.name()) == name;
}

pugi::xml_node childNamed(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_node child : node.children())
        if (named(child, name))
            return child;
    return {};
}

// The attribute of that local name ("r:id" answers "id"), or "".
std::string_view attribute(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_attribute a : node.attributes())
        if (localName(a.name()) == name)
            return a.value();
    return {};
}

bool hasAttribute(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_attribute a : node.attributes())
        if (localName(a.name()) == name)
            return true;
    return false;
}

// The character data of an element, however it is split into text and CDATA.
std::string elementText(const pugi::xml_node& node) {
    std::string text;
    for (pugi::xml_node child : node.children())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
    return text;
}

// A rich text (<si> or <is>): its <t> and the <t> of its runs, in order;
// phonetic hints (<rPh>) are not part of the text. Whitespace is kept as
// written whether or not xml:space asks for it, as trimming would lose data.
std::string richText(const pugi::xml_node& node) {
    std::string text;
    for (pugi::xml_node child : node.children()) {
        if (named(child, "t"))
            text += elementText(child);
        else if (named(child, "r"))
            for (pugi::xml_node t : child.children())
                if (named(t, "t"))
                    text += elementText(t);
    }
    return unescapeText(text);
}

// Part names inside the package: folders separated by "/", no leading "/".
std::string resolvePartName(std::string_view base, std::string_view target) {
    std::string joined = target.starts_with('/') ? std::string(target.substr(1))
                                                 : std::string(base) + std::string(target);
    std::vector<std::string> segments;
    size_t from = 0;
    while (from <= joined.size()) {
        size_t slash = joined.find('/', from);
        if (slash == std::string::npos)
            slash = joined.size();
        const std::string segment = joined.substr(from, slash - from);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        from = slash + 1;
    }
    std::string name;
    for (const auto& segment : segments)
        name += (name.empty() ? "" : "/") + segment;
    return name;
}

std::string folderOf(std::string_view partName) {
    const size_t slash = partName.rfind('/');
    return slash == std::string_view::npos ? std::string()
                                           : std::string(partName.substr(0, slash + 1));
}

struct Relationship {
    std::string type;
    std::string target; // resolved part name
};

bool typeIs(std::string_view type, std::string_view kind) {
    return type.size() > kind.size() && type.ends_with(kind) &&
           type[type.size() - kind.size() - 1] == '/';
}

// An .xlsx file: a zip package of XML parts.
class Package {
public:
    explicit Package(const std::string& fileName) : fileName_(fileName) {
        int error = 0;
        archive_ = zip_open(fileName.c_str(), ZIP_RDONLY, &error);
        if (archive_)
            return;
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const std::string reason = zip_error_strerror(&details);
        zip_error_fini(&details);
        switch (error) {
        case ZIP_ER_NOZIP: // it begins as a zip file does
            throw damaged("its zip directory is missing");
        case ZIP_ER_OPEN:
        case ZIP_ER_READ:
        case ZIP_ER_SEEK:
        case ZIP_ER_MEMORY:
            throw failure(messages::CannotReadWorkbook, {fileName, reason});
        default:
            throw damaged(reason);
        }
    }
    ~Package() { zip_discard(archive_); }
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    ELangException damaged(std::string_view reason) const {
        return failure(messages::WorkbookDamaged, {fileName_, reason});
    }
    ELangException tooLarge(std::string_view reason) const {
        return failure(messages::WorkbookTooLarge, {fileName_, reason});
    }

    bool has(const std::string& name) const { return !name.empty() && locate(name) >= 0; }

    // The part parsed, or nothing when the package has no such part.
    std::unique_ptr<XmlPart> parse(const std::string& name) {
        auto part = std::make_unique<XmlPart>();
        if (!unpack(name, part->bytes_))
            return nullptr;
        pugi::xml_parse_result result;
        {
            BudgetScope scope(part->budget_);
            // Whitespace-only texts (a cell of blanks) are kept; line ends
            // are normalised as XML has it, so a CR survives only as written
            // by reference or as _x000D_.
            result = part->document_.load_buffer_inplace(part->bytes_.data(), part->bytes_.size(),
                                                         pugi::parse_default |
                                                             pugi::parse_ws_pcdata_single);
        }
        if (result.status == pugi::status_out_of_memory)
            throw tooLarge("the part " + name + " needs too much memory");
        if (!result)
            throw damaged("the part " + name + " is not well-formed XML (" + result.description() +
                          " at byte " + std::to_string(result.offset) + ")");
        return part;
    }

    // The relationships of a part, by id.
    std::map<std::string, Relationship> relationships(const std::string& partName) {
        std::map<std::string, Relationship> found;
        const size_t slash = partName.rfind('/') + 1; // 0 when there is none
        auto rels = parse(partName.substr(0, slash) + "_rels/" + partName.substr(slash) + ".rels");
        if (!rels)
            return found;
        for (pugi::xml_node r : rels->root().children()) {
            if (!named(r, "Relationship") || attribute(r, "TargetMode") == "External")
                continue;
            found.emplace(
                std::string(attribute(r, "Id")),
                Relationship{std::string(attribute(r, "Type")),
                             resolvePartName(folderOf(partName), attribute(r, "Target"))});
        }
        return found;
    }

private:
    zip_int64_t locate(const std::string& name) const {
        return zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE);
    }

    bool unpack(const std::string& name, std::string& bytes) {
        const zip_int64_t index = name.empty() ? -1 : locate(name);
        if (index < 0)
            return false;
        zip_stat_t info;
        zip_stat_init(&info);
        if (zip_stat_index(archive_, zip_uint64_t(index), 0, &info) != 0)
            throw damaged("the part " + name + " cannot be found");
        const size_t left = std::min(MaxPartBytes, MaxPackageBytes - unpacked_);
        if ((info.valid & ZIP_STAT_SIZE) && info.size > left)
            throw tooLarge("the part " + name + " unpacks to more than " +
                           std::to_string(left >> 20) + " MiB");
        zip_file_t* file = zip_fopen_index(archive_, zip_uint64_t(index), 0);
        if (!file)
            throw damaged("the part " + name + " cannot be unpacked (" +
                          zip_error_strerror(zip_get_error(archive_)) + ")");
        // The stated size may lie; the buffer grows with what really comes.
        char chunk[65536];
        while (true) {
            const zip_int64_t n = zip_fread(file, chunk, sizeof chunk);
            if (n < 0) {
                const std::string reason = zip_error_strerror(zip_file_get_error(file));
                zip_fclose(file);
                throw damaged("the part " + name + " cannot be unpacked (" + reason + ")");
            }
            if (n == 0)
                break;
            if (size_t(n) > left - bytes.size()) {
                zip_fclose(file);
                throw tooLarge("the part " + name + " unpacks to more than " +
                               std::to_string(left >> 20) + " MiB");
            }
            bytes.append(chunk, size_t(n));
        }
        zip_fclose(file);
        unpacked_ += bytes.size();
        return true;
    }

    std::string fileName_;
    zip_t* archive_ = nullptr;
    size_t unpacked_ = 0;
};

// The cells with a text, in the order met, and the texts' total size.
class CellCollector {
public:
    CellCollector(const std::string& fileName) : fileName_(fileName) {}

    void add(uint32_t row, uint32_t column, std::string text) {
        if (text.empty())
            return;
        if (text.size() > WorkbookMaxTextBytes - textBytes_)
            throw failure(messages::WorkbookTooLarge,
                          {fileName_, "its cells hold more than " +
                                          std::to_string(WorkbookMaxTextBytes >> 20) +
                                          " MiB of text"});
        textBytes_ += text.size();
        rows_ = std::max(rows_, size_t(row) + 1);
        columns_ = std::max(columns_, size_t(column) + 1);
        cells_.push_back({row, column, std::move(text)});
    }

    // Charges texts kept aside (shared strings) to the same budget.
    void charge(size_t bytes) {
        if (bytes > WorkbookMaxTextBytes - textBytes_)
            throw failure(messages::WorkbookTooLarge,
                          {fileName_, "it holds more than " +
                                          std::to_string(WorkbookMaxTextBytes >> 20) +
                                          " MiB of text"});
        textBytes_ += bytes;
    }

    struct Cell {
        uint32_t row;
        uint32_t column;
        std::string text;
    };
    const std::vector<Cell>& cells() const { return cells_; }

    WorkbookRows grid() {
        if (columns_ != 0 && rows_ > WorkbookMaxCells / columns_)
            throw failure(messages::WorkbookTooLarge,
                          {fileName_, "its used range " + CellName(0, 0) + ":" +
                                          CellName(int(rows_ - 1), int(columns_ - 1)) +
                                          " has more than " + std::to_string(WorkbookMaxCells) +
                                          " cells"});
        WorkbookRows rows(rows_, std::vector<std::string>(columns_));
        for (auto& cell : cells_)
            rows[cell.row][cell.column] = std::move(cell.text);
        cells_.clear();
        return rows;
    }

private:
    std::string fileName_;
    std::vector<Cell> cells_;
    size_t textBytes_ = 0;
    size_t rows_ = 0;
    size_t columns_ = 0;
};

// "AB12" or "$AB$12" (letters in either case): row and column from 0.
bool parseCellReference(std::string_view text, uint32_t& row, uint32_t& column) {
    size_t at = 0;
    if (at < text.size() && text[at] == '$')
        ++at;
    uint32_t letters = 0, number = 0;
    for (; at < text.size() &&
           ((text[at] >= 'A' && text[at] <= 'Z') || (text[at] >= 'a' && text[at] <= 'z'));
         ++at) {
        if (++letters > 3)
            return false;
        number = number * 26 + uint32_t((text[at] | 0x20) - 'a' + 1);
    }
    if (letters == 0 || number > uint32_t(WorkbookMaxColumns))
        return false;
    column = number - 1;
    if (at < text.size() && text[at] == '$')
        ++at;
    uint32_t rowNumber = 0;
    const auto [end, error] =
        std::from_chars(text.data() + at, text.data() + text.size(), rowNumber);
    if (error != std::errc() || end != text.data() + text.size() || rowNumber == 0 ||
        rowNumber > uint32_t(WorkbookMaxRows))
        return false;
    row = rowNumber - 1;
    return true;
}

bool parseRowNumber(std::string_view text, uint32_t& row) {
    uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number == 0 ||
        number > uint32_t(WorkbookMaxRows))
        return false;
    row = number - 1;
    return true;
}

struct SheetParts {
    std::string sheet;
    std::string sharedStrings;
};

// The first worksheet in the workbook's tab order, and the shared strings,
// found through the package's relationships; where those do not lead to
// them, the names every writer uses.
SheetParts findParts(Package& package) {
    std::string workbookPart;
    for (const auto& [id, r] : package.relationships(""))
        if (typeIs(r.type, "officeDocument") && package.has(r.target))
            workbookPart = r.target;
    if (workbookPart.empty() && package.has("xl/workbook.xml"))
        workbookPart = "xl/workbook.xml";

    SheetParts parts;
    if (!workbookPart.empty()) {
        auto workbook = package.parse(workbookPart);
        const auto related = package.relationships(workbookPart);
        for (pugi::xml_node sheet : childNamed(workbook->root(), "sheets").children()) {
            if (!named(sheet, "sheet"))
                continue;
            const auto r = related.find(std::string(attribute(sheet, "id")));
            if (r != related.end() && typeIs(r->second.type, "worksheet") &&
                package.has(r->second.target)) {
                parts.sheet = r->second.target;
                break;
            }
        }
        for (const auto& [id, r] : related)
            if (typeIs(r.type, "sharedStrings") && package.has(r.target))
                parts.sharedStrings = r.target;
    }
    if (parts.sheet.empty() && package.has("xl/worksheets/sheet1.xml"))
        parts.sheet = "xl/worksheets/sheet1.xml";
    if (parts.sharedStrings.empty() && package.has("xl/sharedStrings.xml"))
        parts.sharedStrings = "xl/sharedStrings.xml";
    return parts;
}

std::vector<std::string> readSharedStrings(Package& package, const std::string& partName,
                                           CellCollector& cells) {
    std::vector<std::string> strings;
    auto part = package.parse(partName);
    if (!part)
        return strings;
    for (pugi::xml_node si : part->root().children()) {
        if (!named(si, "si"))
            continue;
        std::string text = richText(si);
        cells.charge(sizeof(std::string) + text.size());
        strings.push_back(std::move(text));
    }
    return strings;
}

std::string cellText(const pugi::xml_node& c, const std::vector<std::string>& sharedStrings,
                     const Package& package, uint32_t row, uint32_t column) {
    const std::string_view type = attribute(c, "t");
    const pugi::xml_node value = childNamed(c, "v");
    if (type == "s") {
        const std::string index = elementText(value);
        size_t n = 0;
        const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), n);
        if (error != std::errc() || end != index.data() + index.size() || n >= sharedStrings.size())
            throw package.damaged("cell " + CellName(int(row), int(column)) +
                                  " refers to a missing shared string");
        return sharedStrings[n];
    }
    if (type == "inlineStr" || (!value && childNamed(c, "is")))
        return value ? unescapeText(elementText(value)) : richText(childNamed(c, "is"));
    std::string text = elementText(value);
    if (type == "b" && (text == "0" || text == "1"))
        return text == "1" ? "TRUE" : "FALSE";
    if (type == "str")
        return unescapeText(text);
    return text; // numbers, errors and dates as stored
}

void readSheet(Package& package, const std::string& partName,
               const std::vector<std::string>& sharedStrings, CellCollector& cells) {
    auto part = package.parse(partName);
    const pugi::xml_node data = childNamed(part->root(), "sheetData");
    uint32_t row = 0;
    bool firstRow = true;
    for (pugi::xml_node r : data.children()) {
        if (!named(r, "row"))
            continue;
        // Rows and cells without a reference follow the one before.
        if (hasAttribute(r, "r")) {
            if (!parseRowNumber(attribute(r, "r"), row))
                throw package.damaged("a row has the number \"" +
                                      std::string(attribute(r, "r")).substr(0, 20) + "\"");
        } else if (!firstRow && ++row >= uint32_t(WorkbookMaxRows)) {
            throw package.damaged("it has more than 1,048,576 rows");
        }
        firstRow = false;
        uint32_t cellRow = row, column = 0;
        bool firstCell = true;
        for (pugi::xml_node c : r.children()) {
            if (!named(c, "c"))
                continue;
            if (hasAttribute(c, "r")) {
                if (!parseCellReference(attribute(c, "r"), cellRow, column))
                    throw package.damaged("a cell has the reference \"" +
                                          std::string(attribute(c, "r")).substr(0, 20) + "\"");
            } else if (!firstCell && ++column >= uint32_t(WorkbookMaxColumns)) {
                throw package.damaged("row " + std::to_string(cellRow + 1) +
                                      " has more than 16,384 cells");
            }
            firstCell = false;
            cells.add(cellRow, column, cellText(c, sharedStrings, package, cellRow, column));
        }
    }
}

WorkbookRows readXlsx(const std::string& fileName) {
    Package package(fileName);
    const SheetParts parts = findParts(package);
    if (parts.sheet.empty())
        throw failure(messages::NotAWorkbook, {fileName});
    CellCollector cells(fileName);
    const std::vector<std::string> sharedStrings =
        parts.sharedStrings.empty() ? std::vector<std::string>()
                                    : readSharedStrings(package, parts.sharedStrings, cells);
    readSheet(package, parts.sheet, sharedStrings, cells);
    return cells.grid();
}

// ---- legacy .xls -----------------------------------------------------------

class XlsHandle {
public:
    ~XlsHandle() {
        if (handle)
            freexl_close(handle);
    }
    const void* handle = nullptr;
};

std::string xlsError(int code) {
    switch (code) {
    case FREEXL_INSUFFICIENT_MEMORY:
        return "not enough memory";
    case FREEXL_CFBF_READ_ERROR:
    case FREEXL_CFBF_SEEK_ERROR:
        return "its storage cannot be read";
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_CFBF_INVALID_SECTOR_SIZE:
    case FREEXL_CFBF_EMPTY_FAT_CHAIN:
    case FREEXL_CFBF_ILLEGAL_FAT_ENTRY:
    case FREEXL_INVALID_MINI_STREAM:
    case FREEXL_CFBF_ILLEGAL_MINI_FAT_ENTRY:
        return "its storage structure is broken";
    case FREEXL_BIFF_INVALID_BOF:
    case FREEXL_BIFF_INVALID_SST:
    case FREEXL_BIFF_ILLEGAL_SST_INDEX:
    case FREEXL_ILLEGAL_RK_VALUE:
        return "its sheet records are broken";
    case FREEXL_INVALID_CHARACTER:
    case FREEXL_UNSUPPORTED_CHARSET:
        return "its texts are not valid in their character set";
    case FREEXL_CRAFTED_FILE:
        return "its records contradict each other";
    default:
        return "error " + std::to_string(code) + " of the .xls reader";
    }
}

std::string numberText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

void collectXls(const std::string& fileName, CellCollector& cells) {
    XlsHandle xls;
    const int opened = freexl_open(fileName.c_str(), &xls.handle);
    if (opened != FREEXL_OK) {
        xls.handle = nullptr; // the reader frees what it built when it fails
        if (opened == FREEXL_FILE_NOT_FOUND)
            throw failure(messages::CannotReadWorkbook, {fileName, std::strerror(ENOENT)});
        if (opened == FREEXL_INVALID_CFBF_HEADER || opened == FREEXL_BIFF_WORKBOOK_NOT_FOUND)
            throw failure(messages::NotAWorkbook, {fileName});
        throw failure(messages::WorkbookDamaged, {fileName, xlsError(opened)});
    }
    unsigned int info = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED)
        throw failure(messages::CannotReadWorkbook, {fileName, "it is protected by a password"});
    if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0)
        throw failure(messages::WorkbookDamaged, {fileName, "it has no worksheet"});
    unsigned int rows = 0;
    unsigned short columns = 0;
    int status = freexl_select_active_worksheet(xls.handle, 0);
    if (status == FREEXL_OK)
        status = freexl_worksheet_dimensions(xls.handle, &rows, &columns);
    if (status != FREEXL_OK)
        throw failure(messages::WorkbookDamaged, {fileName, xlsError(status)});

    for (unsigned int r = 0; r < rows && r < unsigned(WorkbookMaxRows); ++r) {
        for (unsigned short c = 0; c < columns && c < WorkbookMaxColumns; ++c) {
            FreeXL_CellValue value;
            status = freexl_get_cell_value(xls.handle, r, c, &value);
            if (status != FREEXL_OK)
                throw failure(messages::WorkbookDamaged, {fileName, xlsError(status)});
            switch (value.type) {
            case FREEXL_CELL_INT:
                cells.add(r, c, std::to_string(value.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                cells.add(r, c, numberText(value.value.double_value));
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (value.value.text_value)
                    cells.add(r, c, value.value.text_value);
                break;
            default:
                break;
            }
        }
    }
}

// The .xls reader trusts its input: crafted files make it read beyond its
// buffers or count dates for minutes. So it runs in a child process that
// hands back the cells through a pipe; a crash, an endless run or absurd
// memory use there costs only the child, and the answer is checked here as
// any other input is.
//
// The message: 'G', the cell count (8 bytes), then per cell its row, column
// and text length (4 bytes each) and the text, then 'Z'; or 'E', a length
// (4 bytes) and an ELangException's message.

extern "C" void __sanitizer_set_death_callback(void (*)(void)) __attribute__((weak));

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool AddressSanitizer = true;
#else
constexpr bool AddressSanitizer = false;
#endif
#else
constexpr bool AddressSanitizer = false;
#endif

constexpr rlim_t ChildMemory = rlim_t(4) << 30;
constexpr size_t MaxErrorMessage = 4096;

template <class T> void putNumber(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

[[noreturn]] void xlsChild(const std::string& fileName, int fd) {
    // A crash here ends the child and nothing else: no crash handlers of
    // the parent (a fuzzer's, for one) act for it.
    // Nor does it speak: what a sanitizer would say about the reader is
    // not for the user.
    for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT})
        std::signal(signal, SIG_DFL);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(nullptr);
    if (const int quiet = ::open("/dev/null", O_WRONLY | O_CLOEXEC); quiet >= 0)
        ::dup2(quiet, STDERR_FILENO);
    if (!AddressSanitizer) { // the sanitizer reserves far more address space
        const rlimit limit{ChildMemory, ChildMemory};
        ::setrlimit(RLIMIT_AS, &limit);
    }
    std::string message;
    try {
        CellCollector cells(fileName);
        collectXls(fileName, cells);
        message += 'G';
        putNumber<uint64_t>(message, cells.cells().size());
        for (const auto& cell : cells.cells()) {
            putNumber<uint32_t>(message, cell.row);
            putNumber<uint32_t>(message, cell.column);
            putNumber<uint32_t>(message, uint32_t(cell.text.size()));
            message += cell.text;
        }
        message += 'Z';
    } catch (const std::exception& e) {
        const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
        const std::string text = memory ? failure(messages::WorkbookTooLarge,
                                                  {fileName, "reading it needs too much memory"})
                                              .what()
                                        : std::string(e.what()).substr(0, MaxErrorMessage);
        message = 'E';
        putNumber<uint32_t>(message, uint32_t(text.size()));
        message += text;
    }
    ::_exit(writeAll(fd, message) ? 0 : 1);
}

// Reads the child's answer within a deadline.
class ChildAnswer {
public:
    ChildAnswer(int fd, std::chrono::steady_clock::time_point deadline)
        : fd_(fd), deadline_(deadline) {}

    bool read(void* out, size_t size) {
        auto* to = static_cast<char*>(out);
        while (size > 0) {
            if (at_ == buffer_.size() && !refill())
                return false;
            const size_t n = std::min(size, buffer_.size() - at_);
            std::memcpy(to, buffer_.data() + at_, n);
            at_ += n;
            to += n;
            size -= n;
        }
        return true;
    }
    template <class T> bool number(T& value) { return read(&value, sizeof value); }
    bool text(std::string& out, size_t size) {
        out.clear();
        while (out.size() < size) { // grows with what really comes
            const size_t n = std::min<size_t>(size - out.size(), 65536);
            const size_t old = out.size();
            out.resize(old + n);
            if (!read(out.data() + old, n))
                return false;
        }
        return true;
    }
    bool timedOut() const { return timedOut_; }

private:
    bool refill() {
        buffer_.resize(65536);
        at_ = 0;
        while (true) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline_ - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                timedOut_ = true;
                buffer_.clear();
                return false;
            }
            pollfd poll{fd_, POLLIN, 0};
            const int ready = ::poll(&poll, 1, int(std::min<int64_t>(left.count(), 1000)));
            if (ready < 0 && errno != EINTR) {
                buffer_.clear();
                return false;
            }
            if (ready <= 0)
                continue;
            const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
            if (n < 0 && errno == EINTR)
                continue;
            buffer_.resize(n > 0 ? size_t(n) : 0);
            return n > 0;
        }
    }

    int fd_;
    std::chrono::steady_clock::time_point deadline_;
    std::string buffer_;
    size_t at_ = 0;
    bool timedOut_ = false;
};

class ChildProcess {
public:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}
    ~ChildProcess() {
        // Whether it is done or not, it is of no more use.
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

private:
    pid_t pid_;
};

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

WorkbookRows readXls(const std::string& fileName, off_t fileSize) {
    const auto damaged = [&](std::string_view reason) {
        return failure(messages::WorkbookDamaged, {fileName, reason});
    };
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw failure(messages::CannotReadWorkbook, {fileName, std::strerror(errno)});
    Descriptor readEnd(ends[0]), writeEnd(ends[1]);
    const pid_t pid = ::fork();
    if (pid < 0)
        throw failure(messages::CannotReadWorkbook, {fileName, std::strerror(errno)});
    if (pid == 0) {
        readEnd.reset();
        xlsChild(fileName, writeEnd.get());
    }
    ChildProcess child(pid);
    writeEnd.reset(); // so that the child's end of the answer is seen

    // Real files take the reader well under a second per megabyte.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(5 + fileSize / (1 << 20));
    ChildAnswer answer(readEnd.get(), deadline);
    const auto broken = [&] {
        return damaged(answer.timedOut() ? "reading it does not come to an end"
                                         : "the .xls reader fails on it");
    };
    char kind = 0;
    if (!answer.number(kind))
        throw broken();
    if (kind == 'E') {
        uint32_t size = 0;
        std::string message;
        if (!answer.number(size) || size > MaxErrorMessage || !answer.text(message, size))
            throw broken();
        throw ELangException(message);
    }
    uint64_t count = 0;
    if (kind != 'G' || !answer.number(count))
        throw broken();
    CellCollector cells(fileName);
    std::string text;
    for (uint64_t i = 0; i < count; ++i) {
        uint32_t row = 0, column = 0, size = 0;
        if (!answer.number(row) || !answer.number(column) || !answer.number(size) ||
            row >= uint32_t(WorkbookMaxRows) || column >= uint32_t(WorkbookMaxColumns) ||
            size > WorkbookMaxTextBytes || !answer.text(text, size))
            throw broken();
        cells.add(row, column, std::move(text));
    }
    if (!answer.number(kind) || kind != 'Z')
        throw broken();
    return cells.grid();
}

} // namespace

WorkbookRows ReadWorkbook(const std::string& fileName) {
    // The content tells the form, whatever the name's extension says.
    unsigned char magic[8] = {};
    ssize_t got = -1;
    off_t size = 0;
    {
        const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0) {
            const int error = errno;
            if (fd >= 0)
                ::close(fd);
            throw failure(messages::CannotReadWorkbook, {fileName, std::strerror(error)});
        }
        if (!S_ISREG(info.st_mode)) {
            ::close(fd);
            throw failure(messages::CannotReadWorkbook, {fileName, "it is not a regular file"});
        }
        size = info.st_size;
        do
            got = ::read(fd, magic, sizeof magic);
        while (got < 0 && errno == EINTR);
        const int error = errno;
        ::close(fd);
        if (got < 0)
            throw failure(messages::CannotReadWorkbook, {fileName, std::strerror(error)});
    }
    static constexpr unsigned char Zip[] = {'P', 'K', 3, 4};
    static constexpr unsigned char EmptyZip[] = {'P', 'K', 5, 6};
    static constexpr unsigned char Ole2[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (got >= 4 && (std::memcmp(magic, Zip, 4) == 0 || std::memcmp(magic, EmptyZip, 4) == 0))
        return readXlsx(fileName);
    if (got == 8 && std::memcmp(magic, Ole2, 8) == 0)
        return readXls(fileName, size);
    throw failure(messages::NotAWorkbook, {fileName});
}

} // namespace vantelo
