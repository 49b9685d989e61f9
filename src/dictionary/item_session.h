#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/lang_exception.h"
#include "dictionary/language_item.h"
#include "dictionary/language_list.h"
#include "dictionary/language_word.h"
#include "dictionary/one_lang_list.h"

namespace vantelo {

// What the dictionary knows of the objects a translated text belongs to,
// for the debug log: their class name and component name.
struct TComponentRef {
    std::string ClassName;
    std::string Name;
};

// Tells holders of line pointers whether their lines still exist: a line
// pointer taken while `Alive` and with `LinesFreed` at some count may be used
// as long as both are unchanged. Every removal of lines counts, so a pointer
// is never used after its line (or its whole dictionary) is gone.
struct TLineGuard {
    bool Alive = true;
    uint64_t LinesFreed = 0;
};

// The dictionary: its columns, one sorted text list per column and its lines,
// with every operation performed on a dictionary.
//
// Columns are named by their descriptor. Operations that check registration
// accept any descriptor whose Name is registered; they act on the column of
// that name. Line indexes and positions outside their list raise
// std::out_of_range unless an operation says it answers "none".
class TItemSession {
public:
    TItemSession();
    virtual ~TItemSession();
    TItemSession(const TItemSession&) = delete;
    TItemSession& operator=(const TItemSession&) = delete;

    bool Modified = false;
    // The guard of this dictionary's lines; it outlives the dictionary.
    std::shared_ptr<const TLineGuard> LineGuard() const { return lineGuard_; }
    // Set when the program was started with "-VLDEBUG" (any letter case).
    bool DebugMode = false;

    virtual const std::string& TextAtPosition(int position, const TLanguage& language) const;
    virtual std::string LineText(int lineIndex, const TLanguage& language) const;
    virtual int TextCount(const TLanguage& language) const;
    virtual int LineCount() const { return int(lines_.size()); }
    virtual int LanguageCounter() const { return languageCounter_; }
    virtual void CountUsage(int lineIndex);
    virtual TLanguageItem* ReplaceLineAtPosition(int position, const TLanguage& language,
                                                 const TLanguageWord& words);
    virtual TLanguageList& GetLanguages() { return languages_; }
    const TLanguageList& GetLanguages() const { return languages_; }
    virtual int IndexOfText(std::string_view text, const TLanguage& language) const;
    virtual TLanguageItem* FindLine(std::string_view text, const TLanguage& language) const;
    virtual TLanguageItem* LineAtPosition(int position, const TLanguage& language) const;
    virtual TLanguageItem* LineAt(int lineIndex) const;
    virtual int IndexOfLine(const TLanguageItem* line) const;
    // Appends a column. The dictionary takes the descriptor (and returns it)
    // unless a column of that name exists; then `language` stays the caller's
    // and the result is null.
    virtual TLanguage* AddLanguage(std::unique_ptr<TLanguage>&& language);
    virtual void EditLanguage(TLanguage& language, const TLanguage& newValues);
    // Removes the column with its texts; lines left without any text go too.
    // The descriptor is destroyed.
    virtual void DeleteLanguage(TLanguage& language);
    virtual void ExchangeLanguages(int i, int j);
    virtual TLanguage* InsertLanguage(int index, std::unique_ptr<TLanguage>&& language);
    // The text's translation from one language into another; `notFound`
    // tells whether a translation was found. `parent` and `component` (may
    // be null) name the objects the text belongs to in the debug log.
    virtual std::string Translate(const TComponentRef* parent, const TComponentRef* component,
                                  const std::string& text, const TLanguage& source,
                                  const TLanguage& target, bool& notFound);
    virtual TLanguageItem* AddWord(const TLanguageWord& words);
    virtual void DeleteText(std::string_view text, const TLanguage& language);
    virtual void DeleteLineAtPosition(int position, const TLanguage& language);
    virtual void DeleteLine(int lineIndex);
    virtual TLanguageItem* ReplaceText(std::string_view text, const TLanguage& language,
                                       const TLanguageWord& words);
    virtual TLanguageItem* ReplaceLine(int lineIndex, const TLanguageWord& words);
    virtual TLanguageItem* SetRemarks(int lineIndex, const TLanguageWord& words);
    virtual void DeleteRemarks(int lineIndex);
    virtual void DeleteRemarksAtPosition(int position, const TLanguage& remark);
    // Prefix search, ignoring the case of a to z. By line, the result is a
    // line index; otherwise a position in the order column's sorted list.
    // The columns a mode does not use may be null.
    virtual int Search(std::string_view text, bool byLine, const TLanguage* searchColumn,
                       const TLanguage* orderColumn, bool allColumns) const;
    virtual void ClearLines();
    virtual void Clear();
    virtual void ListRepeatedTexts(std::vector<std::string>& report) const;

    // Dictionary files (.lgf). The stream readers replace whatever the
    // dictionary held; on a damaged stream they raise ELangException
    // "File  is not Vantelo dictinary." and keep the columns read so far,
    // without lines. The file loaders resolve the name (ResolveFileName),
    // answer false when no file is found, and name the file in the message.
    // The savers write safely (a failure leaves the previous file and
    // Modified as they were) and keep the previous file as its backup.
    virtual void SaveToStream(std::ostream& stream) const;
    virtual void LoadLanguagesFromStream(std::istream& stream);
    virtual void LoadFromStream(std::istream& stream);
    virtual void SaveToFile(const std::string& fileName);
    virtual bool LoadLanguagesFromFile(const std::string& fileName);
    virtual bool LoadFromFile(const std::string& fileName);
    virtual void LoadFromStreamByIndexes(std::istream& stream, std::span<const int> indexes);
    virtual void LoadFromStreamByNames(std::istream& stream, std::span<const std::string> names);
    virtual bool LoadFromFileByIndexes(const std::string& fileName, std::span<const int> indexes);
    virtual bool LoadFromFileByNames(const std::string& fileName, std::span<const std::string> names);
    virtual void SaveToStreamUnicode(std::ostream& stream) const;
    virtual void SaveToFileUnicode(const std::string& fileName);

    // Exchange with tagged text files (.txt, and debug logs .log) and
    // spreadsheet workbooks (.xlsx written and read, legacy .xls read).
    // Every file is written safely with the backup rule of SaveToFile. A
    // failure raises ELangException with a message for the user; an import
    // that fails keeps the columns and lines it read before the failure.
    // Kinds: export 1 text, 2 workbook, 3 Unicode dictionary file, other:
    // text; import 1 and 2 text, 3 workbook, other: text.
    virtual void ExportSpreadsheet(const std::string& fileName) const;
    virtual void Export(const std::string& fileName, int kind);
    virtual void ImportSpreadsheet(const std::string& fileName);
    virtual void Import(const std::string& fileName, int kind);
    virtual void ExportSortedText(const std::string& fileName, const TLanguage& column) const;
    virtual void ExportText(const std::string& fileName) const;
    virtual void ImportText(const std::string& fileName);

    // The text form of the dictionary, as ExportText writes it.
    std::string ExportTextBytes() const;
    std::string ExportSortedTextBytes(const TLanguage& column) const;
    // Reads the text form from memory, as ImportText reads a file.
    void ImportTextBytes(std::string_view bytes);

    // The file's bytes, as the savers write them.
    std::string SaveToBytes(bool unicode = false) const;

    void ClearTextAt(int lineIndex, int column);
    void SetTextIfEmptyAt(int lineIndex, int column, const std::string& text);
    void SetTextAt(int lineIndex, int column, const std::string& text);
    int LanguageCount() const { return languages_.LanguageCount(); }
    int RemarkCount() const { return languages_.RemarkCount(); }
    int LanguageIndex(int n) const;
    int RemarkIndex(int n) const;

    // Read access for lines, views and tests.
    int ColumnCount() const { return languages_.Count(); }
    const TOneLangList& TextList(int column) const { return *textLists_.at(size_t(column)); }
    const std::vector<std::unique_ptr<TLanguageItem>>& Lines() const { return lines_; }

private:
    enum class Quote { Name, Title };
    enum class Selection { All, Languages, ByIndexes, ByNames };
    void loadBytes(std::string_view bytes, Selection selection, std::span<const int> indexes,
                   std::span<const std::string> names);
    bool loadFile(const std::string& fileName, Selection selection, std::span<const int> indexes,
                  std::span<const std::string> names);
    // Returns true when the file needed mending (see the loaders).
    bool readStream(std::string_view bytes, Selection selection, std::span<const int> indexes,
                    std::span<const std::string> names);
    // The registration check: the column of the descriptor's name.
    int checkedColumn(const TLanguage& language, Quote quote,
                      std::string_view templ = messages::LanguageNotRegistered) const;
    // The descriptor's own column, without a registration check.
    int uncheckedColumn(const TLanguage& language) const;
    TOneLangList& list(int column) { return *textLists_.at(size_t(column)); }

    void insertColumn(int index, std::unique_ptr<TLanguage> language);
    void checkWordCount(const TLanguageWord& words) const;
    void removeText(TLanguageItem& line, int column);
    void insertText(TLanguageItem& line, int column, std::string text);
    void deleteLines(std::vector<TLanguageItem*> doomed);
    void logMissing(const TComponentRef* parent, const TComponentRef* component,
                    const std::string& text, const TLanguage& source) const;

    void noteLinesFreed() { ++lineGuard_->LinesFreed; }

    std::shared_ptr<TLineGuard> lineGuard_ = std::make_shared<TLineGuard>();
    TLanguageList languages_;
    int languageCounter_ = 0;
    std::vector<std::unique_ptr<TOneLangList>> textLists_;
    std::vector<std::unique_ptr<TLanguageItem>> lines_;
};

} // namespace vantelo
