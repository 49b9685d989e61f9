#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/item_session.h"
#include "dictionary/language.h"
#include "translation/custom_designer_vl.h"
#include "translation/list_components.h"
#include "translation/translate_events.h"

namespace vantelo {

struct TRegObj;

// The translation component. Created with a window as its owner, it names
// a dictionary file (loaded once per process and shared through
// LanguageSessions()), knows the language the window was designed in (the
// main language), the one shown now and the one shown before, and
//  - switches the window into another language: the window's own texts
//    (when TranslateForm is set) and the texts of the components named in
//    ListComponents(), which are recorded against dictionary lines at the
//    first change and set from those lines at every change;
//  - translates single texts on request (TranslateText for the
//    application's messages, and the others below).
//
// Texts are QStrings; they cross into the dictionary's code page on the
// way in and back on the way out. A text the code page cannot hold is in no
// dictionary and comes back unchanged. File and language names are bytes as
// the dictionary holds them.
//
// Errors are ELangException, raised to the caller.
class TVantelo : public QObject {
    Q_OBJECT
public:
    explicit TVantelo(QObject* owner = nullptr);
    ~TVantelo() override;

    // Usage statistics: with this set and a "STATISTICS" column in the
    // dictionary, each line found counts one use and every loaded dictionary
    // is saved when the component goes.
    bool CollectStatistics = false;
    // Debug modes, from the command line ("-VLDEBUG", "-VLDEBUGDLG").
    bool DebugLog = false;
    bool DebugDialog = false;
    // Also translate the owner window's own properties on a language change.
    bool TranslateForm = true;

    TLangEventAfter OnLangChangeAfter;
    TLangEventBefore OnLangChangeBefore;
    TWordEventAfter OnWordTranslateAfter;
    TWordEventBefore OnWordTranslateBefore;

    int StatisticsIndex() const { return statisticsIndex_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& LangMainName() const { return langMainName_; }
    int LangMainNumber() const { return langMainNumber_; }
    bool AllFind() const { return allFind_; }
    TLanguage& MainLanguage() const { return *mainLanguage_; }
    TLanguage& CurrentLanguage() const { return *currentLanguage_; }
    TLanguage& PreviousLanguage() const { return *previousLanguage_; }
    bool SnapshotPending() const { return snapshotPending_; }
    TCustomDesignerVL* DesignerVL() const { return designerVL_; }
    // The dictionary registered under FileName, or null.
    TItemSession* Dictionary() const;

    // Stores the name (exact comparison) and, when it is not empty, loads
    // the dictionary at once.
    virtual void SetFileName(const std::string& fileName);
    virtual void SetMainLanguage(const TLanguage& language);
    // LangMainName and LangMainNumber exclude each other: setting one
    // clears the other. They take effect at the next LoadDictionary.
    virtual void SetLangMainName(const std::string& name);
    virtual void SetLangMainNumber(int number);
    virtual void SetPreviousLanguage(const TLanguage& language);
    virtual void ChangeLanguage(const TLanguage& language);
    virtual void ChangeLanguageByName(std::string_view name);
    virtual void ChangeLanguageByNumber(int number);
    virtual void SetAllFind(bool allFind) { allFind_ = allFind; }
    // Drops the entries of ListComponents that are empty or name neither a
    // component of `root` nor `root` itself.
    virtual void PurgeListComponents(const QObject* root);
    virtual TListComponents& ListComponents() { return listComponents_; }
    // Takes the names; a name listed before keeps its snapshot.
    virtual void SetListComponents(const std::vector<std::string>& names);
    virtual void SetDesignerVL(TCustomDesignerVL* designer) { designerVL_ = designer; }

    // Debug mode: reports a text the dictionary lacks (line null) or that
    // lacks a translation in some language, to the log and to the debug word
    // dialog; answers the line the translator added, or null.
    virtual TLanguageItem* ReportMissingWord(QObject* owner, QObject* component,
                                             const TLanguageList& languages, TLanguageItem* line,
                                             int lineIndex, const std::string& propertyName,
                                             const std::string& text);
    // Shows the debug word dialog for `word` (one text per language); OK
    // adds it to the dictionary and answers its line. Every answer is logged;
    // "I&gn. all" ends dialog mode for this and later components.
    virtual TLanguageItem* ShowDebugWordDialog(QObject* owner, QObject* component,
                                               const TLanguageList& languages, int lineIndex,
                                               const std::string& propertyName,
                                               const TLanguageWord& word);

    // Snapshot translation of the listed components.
    virtual void SnapshotComponent(QObject* owner, QObject* component, int listIndex);
    virtual void SnapshotProperties(QObject* owner, QObject* component,
                                    TComponentSnapshot& snapshot, const TRegObj& registration,
                                    const std::vector<std::string>& properties);
    virtual void RestoreListedComponents(const TLanguage& language);
    virtual void RestoreComponent(QObject* component, int listIndex, const TLanguage& language);
    virtual void RestoreProperties(QObject* component, const std::vector<std::string>& properties,
                                   const TLanguage& language, TComponentSnapshot& snapshot);
    virtual void SnapshotText(TPropertySnapshot& snapshot, int position, QString& text,
                              TStatusTranslate& status, const TLanguage& language);
    // The line of `text` (dictionary bytes) in the main language, or null.
    // `lineIndex` is the text's line in a string list, or -1.
    virtual TLanguageItem* FindWordLine(QObject* owner, QObject* component, int lineIndex,
                                        const std::string& propertyName, const std::string& text,
                                        const std::string& fileName);
    virtual void TranslateProperties(QObject* object, const std::vector<std::string>& properties,
                                     const TRegObj& registration, const TLanguage& source,
                                     const TLanguage& target);

    virtual void LoadDictionary();
    // Destroys the dictionary loaded under `fileName`, for every component
    // of the process. Snapshots that recorded its lines are dropped; the
    // texts they set stay.
    virtual void UnloadDictionary(const std::string& fileName);

    // From PreviousLanguage to MainLanguage, then on to CurrentLanguage:
    // the application's own messages and captions.
    virtual void TranslateText(QObject* owner, QObject* object, const QString& text,
                               TStatusTranslate& status, QString& result);
    virtual void TranslateFromMain(QObject* owner, QObject* object, const QString& text,
                                   TStatusTranslate& status, const TLanguage& target,
                                   QString& result);
    virtual void TranslateWord(QObject* owner, QObject* object, const QString& text,
                               TStatusTranslate& status, const TLanguage& source,
                               const TLanguage& target, QString& result);
    virtual void TranslateFromMainByName(QObject* owner, QObject* object, const QString& text,
                                         TStatusTranslate& status, std::string_view toName,
                                         QString& result);
    virtual void TranslateByNames(QObject* owner, QObject* object, const QString& text,
                                  TStatusTranslate& status, std::string_view fromName,
                                  std::string_view toName, QString& result);

    // Direct translation of a window and its components.
    virtual void TranslateComponent(QObject* component, std::string_view fromName,
                                    std::string_view toName);
    virtual void TranslateObject(QObject* object, const TLanguage& source,
                                 const TLanguage& target);
    virtual void TranslateString(QObject* owner, QObject* object, QString& text,
                                 const TLanguage& source, const TLanguage& target);
    virtual void TranslateStrings(QObject* object, QStringList& strings, const TLanguage& source,
                                  const TLanguage& target);

    // Counts one use of a line found, when statistics are collected.
    void RecordUsage(TLanguageItem* line);

    // TranslateText for the owner's own messages: the translated text.
    QString Tr(const QString& text, QObject* object = nullptr);

private:
    // The dictionary's language of this name; ELangException when no name
    // matches without regard to case, null when none matches exactly.
    const TLanguage* languageNamed(TItemSession& dictionary, std::string_view name,
                                   bool exactCase) const;
    void translateIn(TItemSession& dictionary, QObject* owner, QObject* object,
                     const std::string& word, const TLanguage& source, const TLanguage& target,
                     TStatusTranslate& status, std::string& result, bool& found);

    // Writes a debug log block; see ChangeLanguage for failures.
    void writeLog(const std::vector<std::string>& block);
    void changeLanguage(const TLanguage& language);
    void translateComponent(QObject* component, std::string_view fromName,
                            std::string_view toName);
    // Runs a language change; a debug log failure met in it is raised when
    // it is done.
    void asChange(const std::function<void()>& change);

    int statisticsIndex_ = -1;
    // Language changes in progress, and the first debug log failure met in
    // them.
    int changeDepth_ = 0;
    std::exception_ptr logError_;
    std::string fileName_;
    std::string langMainName_;
    int langMainNumber_ = -1;
    std::unique_ptr<TLanguage> mainLanguage_;
    std::unique_ptr<TLanguage> currentLanguage_;
    std::unique_ptr<TLanguage> previousLanguage_;
    bool allFind_ = false;
    TListComponents listComponents_;
    bool snapshotPending_ = true;
    QPointer<TCustomDesignerVL> designerVL_;
};

} // namespace vantelo
