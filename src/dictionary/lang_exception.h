#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantelo {

// The exception of the dictionary and of the translation component. Its
// message is an English template with one "%s", filled in when raised.
class ELangException : public std::runtime_error {
public:
    explicit ELangException(const std::string& message) : std::runtime_error(message) {}

    // Replaces the first "%s" of the template by the argument.
    static ELangException Format(std::string_view templ, std::string_view argument) {
        std::string message(templ);
        if (auto at = message.find("%s"); at != std::string::npos)
            message.replace(at, 2, argument);
        return ELangException(message);
    }

    // Replaces each "%s" of the template, in order, by the next argument.
    static ELangException Format(std::string_view templ, std::initializer_list<std::string_view> arguments) {
        std::string message(templ);
        size_t from = 0;
        for (std::string_view argument : arguments) {
            const size_t at = message.find("%s", from);
            if (at == std::string::npos)
                break;
            message.replace(at, 2, argument);
            from = at + argument.size();
        }
        return ELangException(message);
    }
};

// Message templates, exactly as users and log readers know them.
namespace messages {
inline constexpr std::string_view LanguageNotRegistered = "Language \"%s\" is not registered.";
inline constexpr std::string_view LanguageAlreadyRegistered = "Language \"%s\" is already registered.";
inline constexpr std::string_view RemarkNotRegistered = "Remark \"%s\" is not registered.";
inline constexpr std::string_view WordNotFound = "Word not found. Operation aborted.";
inline constexpr std::string_view RemarkNotFound = "Remark not found. Operation aborted.";
inline constexpr std::string_view ElementNotFound = "Element with index \"%s\" not found.";
inline constexpr std::string_view NotVanteloDictionary = "File %s is not Vantelo dictinary.";
inline constexpr std::string_view CannotWriteDebugLog = "Cannot write the debug log %s.";
inline constexpr std::string_view CannotWriteFile = "Cannot write the file %s.";
inline constexpr std::string_view CannotReadFile = "Cannot read the file %s.";
inline constexpr std::string_view NotAnInteger = "\"%s\" is not a valid integer value.";
inline constexpr std::string_view CodePageNotSupported = "Code page \"%s\" is not supported.";
inline constexpr std::string_view TextNotValid =
    "Text \"%s\" is not valid %s: bad sequence at position %s.";
inline constexpr std::string_view CharacterNotInCodePage =
    "Text \"%s\" contains %s, which code page %s cannot hold.";
inline constexpr std::string_view TextNotExact =
    "Text \"%s\" cannot be converted exactly with code page %s.";
// The translation component.
inline constexpr std::string_view NoLanguagesInDictionary = "No languages in dictionary.";
inline constexpr std::string_view LanguageDoesNotExist = "Language \"%s\" does not exist.";
inline constexpr std::string_view PropertyNotStrings = "Property is not TStrings: %s.";
// Spreadsheet workbooks.
inline constexpr std::string_view CannotReadWorkbook = "Cannot read the workbook %s: %s.";
inline constexpr std::string_view NotAWorkbook = "File %s is not a workbook.";
inline constexpr std::string_view WorkbookDamaged = "Workbook %s is damaged: %s.";
inline constexpr std::string_view WorkbookTooLarge = "Workbook %s is too large to read: %s.";
inline constexpr std::string_view WorkbookWrittenAsXlsx =
    "Workbooks are written as .xlsx; choose a file name ending in .xlsx instead of %s.";
inline constexpr std::string_view CellNotInCodePage =
    "Cell %s of %s cannot be held by code page %s: %s";
inline constexpr std::string_view CellNotWritable = "Cell %s of %s cannot be written: %s";
inline constexpr std::string_view UnnamedSheetColumn =
    "Column %s of %s holds texts but has no name in row 1.";
inline constexpr std::string_view ImportKeptBeforeFailure =
    "The columns and lines read before the failure were kept.";
} // namespace messages

} // namespace vantelo
