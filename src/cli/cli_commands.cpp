#include "cli/cli_commands.h"

#include <filesystem>
#include <ostream>
#include <vector>

#include "cli/progress.h"
#include "cli/text_table.h"
#include "dictionary/code_page.h"
#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "dictionary/text_case.h"

namespace vantelo::cli {

namespace {

namespace fs = std::filesystem;

// ---- files ---------------------------------------------------------------

enum class FileKind { Dictionary, Text, Workbook, LegacyWorkbook, Other };

FileKind kindOf(const std::string& fileName) {
    const std::string extension = LowerCase(fs::path(fileName).extension().string());
    if (extension == ".lgf")
        return FileKind::Dictionary;
    if (extension == ".txt" || extension == ".log")
        return FileKind::Text;
    if (extension == ".xlsx")
        return FileKind::Workbook;
    if (extension == ".xls")
        return FileKind::LegacyWorkbook;
    return FileKind::Other;
}

// The name to hand to the dictionary. File names on a command line are
// relative to the current folder; the dictionary's loaders would look for a
// bare name in the program's folder first, and keep a backup of a bare name
// there, so a bare name gets its folder spelled out.
std::string pathOf(const std::string& fileName) {
    return fs::path(fileName).has_parent_path() ? fileName : "./" + fileName;
}

bool isFile(const std::string& fileName) {
    std::error_code error;
    return fs::is_regular_file(pathOf(fileName), error);
}

void requireFile(const std::string& fileName) {
    if (!isFile(fileName))
        throw ELangException("cannot find " + fileName);
}

// Reads a file into the dictionary by its extension: a dictionary replaces
// what it held, text and workbooks are imported into it.
void readFile(TItemSession& dictionary, const std::string& fileName) {
    requireFile(fileName);
    const std::string path = pathOf(fileName);
    switch (kindOf(fileName)) {
    case FileKind::Dictionary: {
        Progress progress("Reading " + fileName);
        if (!dictionary.LoadFromFile(path))
            throw ELangException("cannot find " + fileName);
        break;
    }
    case FileKind::Workbook:
    case FileKind::LegacyWorkbook: {
        Progress progress("Reading " + fileName);
        dictionary.ImportSpreadsheet(path);
        break;
    }
    case FileKind::Text:
    case FileKind::Other: {
        Progress progress("Reading " + fileName);
        dictionary.Import(path, 5);
        break;
    }
    }
}

// A column named on the command line (UTF-8) in the dictionary.
const TLanguage& columnNamed(const TItemSession& dictionary, const std::string& utf8Name) {
    const TLanguage* column = dictionary.GetLanguages().FindLanguage(CodePage::FromUtf8(utf8Name));
    if (!column)
        throw ELangException::Format(messages::LanguageNotRegistered, utf8Name);
    return *column;
}

// ---- info ----------------------------------------------------------------

std::string counted(int n, std::string_view noun) {
    return std::to_string(n) + " " + std::string(noun) + (n == 1 ? "" : "s");
}

void runInfo(const Invocation& invocation, std::ostream& out) {
    TItemSession dictionary;
    readFile(dictionary, invocation.Operands[0]);

    const auto yesNo = [](bool b) { return std::string(b ? "yes" : "no"); };
    using Align = TextTable::Align;
    TextTable table({{"Index", Align::Right},
                     {"Name", Align::Left},
                     {"Title", Align::Left},
                     {"Export", Align::Left},
                     {"Kind", Align::Left},
                     {"Shown", Align::Left},
                     {"Width", Align::Right},
                     {"Read-only", Align::Left},
                     {"Texts", Align::Right}});
    const TLanguageList& columns = dictionary.GetLanguages();
    for (int c = 0; c < columns.Count(); ++c) {
        const TLanguage& column = columns[c];
        table.AddRow({std::to_string(c), CodePage::ToUtf8(column.Name),
                      CodePage::ToUtf8(column.Title), CodePage::ToUtf8(column.ExportStr),
                      column.IsRemark ? "remark" : "language", yesNo(column.Shown),
                      std::to_string(column.ColumnWidth), yesNo(column.ReadOnly),
                      std::to_string(dictionary.TextCount(column))});
    }

    out << "Columns: " << columns.Count() << " (" << counted(dictionary.LanguageCount(), "language")
        << ", " << counted(dictionary.RemarkCount(), "remark") << ")\n"
        << "Lines:   " << dictionary.LineCount() << '\n';
    if (columns.Count() > 0) {
        out << '\n';
        table.Print(out);
    }
}

// ---- convert -------------------------------------------------------------

void runConvert(const Invocation& invocation, std::ostream&) {
    const std::string& input = invocation.Operands[0];
    const std::string& output = invocation.Operands[1];
    const CommandSpec* command = invocation.Command;
    const FileKind outputKind = kindOf(output);
    // Everything the command line decides is checked before any reading.
    if (outputKind == FileKind::LegacyWorkbook)
        throw UsageError("cannot write legacy .xls workbooks; name the output .xlsx", command);
    if (outputKind == FileKind::Other)
        throw UsageError("cannot tell what to write from the name " + output +
                             "; name the output .lgf, .txt, .log or .xlsx",
                         command);
    if (invocation.Has("--unicode") && outputKind != FileKind::Dictionary)
        throw UsageError("--unicode applies to a dictionary output (.lgf) only", command);
    if (invocation.Has("--sorted-by") && outputKind != FileKind::Text)
        throw UsageError("--sorted-by applies to a text output (.txt, .log) only", command);

    TItemSession dictionary;
    readFile(dictionary, input);

    const std::string path = pathOf(output);
    const TLanguage* sortColumn = nullptr;
    if (invocation.Has("--sorted-by"))
        sortColumn = &columnNamed(dictionary, invocation.Value("--sorted-by"));
    Progress progress("Writing " + output);
    switch (outputKind) {
    case FileKind::Dictionary:
        if (invocation.Has("--unicode"))
            dictionary.SaveToFileUnicode(path);
        else
            dictionary.SaveToFile(path);
        break;
    case FileKind::Text:
        if (sortColumn)
            dictionary.ExportSortedText(path, *sortColumn);
        else
            dictionary.ExportText(path);
        break;
    case FileKind::Workbook:
        dictionary.ExportSpreadsheet(path);
        break;
    case FileKind::LegacyWorkbook:
    case FileKind::Other:
        break; // refused above
    }
}

// ---- import --------------------------------------------------------------

void runImport(const Invocation& invocation, std::ostream&) {
    const std::string& target = invocation.Operands[0];
    const std::vector<std::string> inputs(invocation.Operands.begin() + 1,
                                          invocation.Operands.end());
    if (kindOf(target) != FileKind::Dictionary)
        throw UsageError("the target must be a dictionary file (.lgf): " + target,
                         invocation.Command);
    for (const auto& input : inputs)
        if (kindOf(input) == FileKind::Dictionary)
            throw UsageError("cannot import the dictionary " + input +
                                 "; convert it to text or a workbook first",
                             invocation.Command);
    for (const auto& input : inputs)
        requireFile(input);

    TItemSession dictionary;
    if (isFile(target))
        readFile(dictionary, target);
    for (const auto& input : inputs)
        readFile(dictionary, input);
    Progress progress("Writing " + target);
    dictionary.SaveToFile(pathOf(target));
}

// ---- repeated ------------------------------------------------------------

void runRepeated(const Invocation& invocation, std::ostream& out) {
    TItemSession dictionary;
    readFile(dictionary, invocation.Operands[0]);
    std::vector<std::string> report;
    dictionary.ListRepeatedTexts(report);
    if (report.empty())
        out << "Repeated words not found.\n";
    for (const auto& line : report)
        out << CodePage::ToUtf8(line) << '\n';
}

// ---- translate -----------------------------------------------------------

void runTranslate(const Invocation& invocation, std::ostream& out) {
    const std::string& fileName = invocation.Operands[0];
    TItemSession dictionary;
    if (kindOf(fileName) == FileKind::Dictionary) {
        // Translating needs the languages only, as an application loads them.
        requireFile(fileName);
        Progress progress("Reading " + fileName);
        if (!dictionary.LoadLanguagesFromFile(pathOf(fileName)))
            throw ELangException("cannot find " + fileName);
    } else {
        readFile(dictionary, fileName);
    }
    const TLanguage& from = columnNamed(dictionary, invocation.Value("--from"));
    const TLanguage& to = columnNamed(dictionary, invocation.Value("--to"));
    for (auto text = invocation.Operands.begin() + 1; text != invocation.Operands.end(); ++text) {
        bool notFound = false;
        const std::string translation =
            dictionary.Translate(nullptr, nullptr, CodePage::FromUtf8(*text), from, to, notFound);
        out << CodePage::ToUtf8(translation) << '\n';
    }
}

// ---- the table -----------------------------------------------------------

const std::vector<CommandSpec> commandTable = {
    {
        .Name = "info",
        .Summary = "show a dictionary's columns and its number of lines",
        .Synopsis = "FILE",
        .Help = "Shows the columns of the dictionary FILE in their order, then its number\n"
                "of lines. FILE is read by its extension, as convert reads its input.\n"
                "\n"
                "For every column:\n"
                "  Index      its place among the columns, from 0\n"
                "  Name       the name that identifies it\n"
                "  Title      the title shown above it in the editor\n"
                "  Export     the tag of its texts in tagged text files\n"
                "  Kind       language, or remark for notes that are never translated to\n"
                "  Shown      yes when the editor shows the column\n"
                "  Width      the column's width in the editor, in pixels\n"
                "  Read-only  yes when the editor keeps its texts from being changed\n"
                "  Texts      how many texts it holds\n",
        .Operands = {"FILE"},
        .Run = runInfo,
    },
    {
        .Name = "convert",
        .Summary = "convert a dictionary between .lgf, tagged text and workbooks",
        .Synopsis = "INPUT OUTPUT [--unicode] [--sorted-by COLUMN]",
        .Help = "Reads INPUT into an empty dictionary and writes it to OUTPUT. What each\n"
                "file holds follows from its extension, in any letter case:\n"
                "\n"
                "  INPUT   .lgf          dictionary\n"
                "          .xlsx, .xls   workbook\n"
                "          any other     tagged text (.txt, debug logs .log, ...)\n"
                "  OUTPUT  .lgf          dictionary\n"
                "          .txt, .log    tagged text\n"
                "          .xlsx         workbook (.xls workbooks are read, never written)\n"
                "\n"
                "An OUTPUT that exists is kept as its backup (dict.lgf becomes dict.~lgf);\n"
                "when writing fails, it stays as it was.\n"
                "\n"
                "Options:\n"
                "  --unicode            write the Unicode variant of the dictionary file\n"
                "                       (an .lgf OUTPUT only)\n"
                "  --sorted-by COLUMN   write the lines in the order of the texts of the\n"
                "                       column named COLUMN (a text OUTPUT only)\n",
        .Operands = {"INPUT", "OUTPUT"},
        .Options = {{"--unicode", ""}, {"--sorted-by", "COLUMN"}},
        .Run = runConvert,
    },
    {
        .Name = "import",
        .Summary = "import text files or workbooks into a dictionary file",
        .Synopsis = "TARGET.lgf INPUT...",
        .Help = "Imports each INPUT, in order, into the dictionary TARGET.lgf and saves it;\n"
                "a TARGET.lgf that does not exist yet is started empty. An INPUT ending\n"
                "in .xlsx or .xls is read as a workbook, any other as tagged text.\n"
                "\n"
                "The previous TARGET.lgf is kept as its backup (dict.lgf becomes\n"
                "dict.~lgf). When an INPUT cannot be imported nothing is saved, and\n"
                "TARGET.lgf stays as it was.\n",
        .Operands = {"TARGET.lgf", "INPUT"},
        .LastOperandRepeats = true,
        .Run = runImport,
    },
    {
        .Name = "repeated",
        .Summary = "list the texts that occur more than once in a language",
        .Synopsis = "FILE",
        .Help = "Lists, for each language of the dictionary FILE that has any, the texts\n"
                "it holds more than once: the language's title, then one line per\n"
                "repeated text, indented, with the number of times it occurs after a\n"
                "colon. Remarks are not searched. Prints \"Repeated words not found.\"\n"
                "when there are none. FILE is read by its extension, as convert reads\n"
                "its input.\n",
        .Operands = {"FILE"},
        .Run = runRepeated,
    },
    {
        .Name = "translate",
        .Summary = "translate texts from one language of a dictionary into another",
        .Synopsis = "FILE --from NAME --to NAME TEXT...",
        .Help = "Prints the translation of each TEXT from the language --from into the\n"
                "language --to of the dictionary FILE, one per line, as a translated\n"
                "application would show it. A TEXT without a translation is printed as\n"
                "it is; so are numbers and empty texts. Language names are compared\n"
                "without regard to letter case.\n"
                "\n"
                "Options:\n"
                "  --from NAME   the language the texts are in\n"
                "  --to NAME     the language to translate them into\n"
                "\n"
                "A TEXT that starts with \"-\" needs \"--\" before it:\n"
                "  vantelo translate dict.lgf --from English --to German -- -x\n",
        .Operands = {"FILE", "TEXT"},
        .LastOperandRepeats = true,
        .Options = {{"--from", "NAME", true}, {"--to", "NAME", true}},
        .Run = runTranslate,
    },
};

} // namespace

std::span<const CommandSpec> Commands() {
    return commandTable;
}

} // namespace vantelo::cli
