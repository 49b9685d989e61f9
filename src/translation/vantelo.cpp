#include "translation/vantelo.h"

#include <QCoreApplication>
#include <QDebug>
#include <optional>
#include <unordered_map>

#include "dictionary/command_line.h"
#include "dictionary/debug_log.h"
#include "dictionary/lang_exception.h"
#include "dictionary/line_breaks.h"
#include "dictionary/text_case.h"
#include "translation/component_model.h"
#include "translation/debug_word_dialog.h"
#include "translation/dictionary_text.h"
#include "translation/published_properties.h"
#include "translation/shared_state.h"

namespace vantelo {

namespace {

constexpr std::string_view StatisticsName = "STATISTICS";

// A text the dictionary's code page cannot hold is in no dictionary.
std::optional<std::string> dictionaryText(const QString& text) {
    try {
        return ToDictionaryText(text);
    } catch (const ELangException&) {
        return std::nullopt;
    }
}

bool trimmedEmpty(const std::string& s) {
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}

bool registered(const TRegObj& registration, std::string_view property) {
    for (const auto& name : registration.PropertyNames)
        if (SameText(name, property))
            return true;
    return false;
}

std::string nameOf(const QObject* object) {
    return object->objectName().toStdString();
}

// The owner's components by name (letter case aside), the first of each
// name in walk order.
std::unordered_map<std::string, QObject*> componentsByName(const QObject* owner) {
    std::unordered_map<std::string, QObject*> byName;
    for (QObject* component : Components(owner))
        byName.try_emplace(UpperCase(nameOf(component)), component);
    return byName;
}

[[noreturn]] void notStrings(const std::string& property) {
    throw ELangException::Format(messages::PropertyNotStrings, property);
}

// Clears the property name when the translation of a property ends, however
// it ends.
class PropertyScope {
public:
    explicit PropertyScope(const std::string& name) { DebugLog::CurrentPropertyName = name; }
    ~PropertyScope() { DebugLog::CurrentPropertyName.clear(); }
    PropertyScope(const PropertyScope&) = delete;
    PropertyScope& operator=(const PropertyScope&) = delete;
};

} // namespace

TVantelo::TVantelo(QObject* owner)
    : QObject(owner),
      DebugLog(CommandLine::HasSwitch("-VLDEBUG")),
      DebugDialog(CommandLine::HasSwitch(DebugDialogSwitch())),
      mainLanguage_(std::make_unique<TLanguage>()),
      currentLanguage_(std::make_unique<TLanguage>()),
      previousLanguage_(std::make_unique<TLanguage>()) {}

TVantelo::~TVantelo() {
    if (statisticsIndex_ == -1 || !CollectStatistics)
        return;
    TLangSession& sessions = LanguageSessions();
    for (int i = 0; i < sessions.Count(); ++i) {
        TItemSession* dictionary = sessions.SessionAt(i);
        if (!dictionary)
            continue;
        try {
            dictionary->SaveToFile(sessions.Strings(i));
        } catch (const std::exception& e) {
            // A destructor cannot pass the failure on; the file is left as
            // it was, so only the counts of this run are lost.
            qWarning("Usage statistics not saved: %s", e.what());
        }
    }
}

TItemSession* TVantelo::Dictionary() const {
    return LanguageSessions().Find(fileName_);
}

// ---- properties -------------------------------------------------------------

void TVantelo::SetFileName(const std::string& fileName) {
    if (fileName == fileName_)
        return;
    fileName_ = fileName;
    if (!fileName_.empty())
        LoadDictionary();
}

void TVantelo::SetMainLanguage(const TLanguage& language) {
    if (&language == mainLanguage_.get())
        return;
    ChangeLanguage(language);
}

void TVantelo::SetLangMainName(const std::string& name) {
    if (name == langMainName_)
        return;
    langMainName_ = name;
    if (!name.empty())
        langMainNumber_ = -1;
}

void TVantelo::SetLangMainNumber(int number) {
    if (number == langMainNumber_)
        return;
    langMainNumber_ = number;
    if (number != -1)
        langMainName_.clear();
}

void TVantelo::SetPreviousLanguage(const TLanguage& language) {
    if (&language != previousLanguage_.get())
        previousLanguage_->Assign(language);
}

void TVantelo::SetListComponents(const std::vector<std::string>& names) {
    listComponents_.Assign(names);
}

void TVantelo::PurgeListComponents(const QObject* root) {
    if (listComponents_.IsEmpty() || !root || root->objectName().isEmpty())
        return;
    const auto byName = componentsByName(root);
    const std::string rootName = nameOf(root);
    for (int i = listComponents_.Count() - 1; i >= 0; --i) {
        const std::string& name = listComponents_.Strings(i);
        if (name.empty() || (!byName.contains(UpperCase(name)) && name != rootName))
            listComponents_.Delete(i);
    }
}

// ---- dictionary -------------------------------------------------------------

void TVantelo::LoadDictionary() {
    TLangSession& sessions = LanguageSessions();
    const int added = sessions.AddSession(fileName_);
    if (added != -1) {
        TItemSession* dictionary = sessions.SessionAt(added);
        dictionary->LoadLanguagesFromFile(fileName_);
        if (dictionary->GetLanguages().Count() > 0) {
            statisticsIndex_ = dictionary->GetLanguages().IndexOf(StatisticsName);
            if (statisticsIndex_ != -1 && CollectStatistics) {
                // Counting needs the whole file, remarks included.
                sessions.RemoveSession(fileName_);
                sessions.AddSession(fileName_);
                sessions.Find(fileName_)->LoadFromFile(fileName_);
            }
        }
    }
    TItemSession* dictionary = Dictionary();
    if (!dictionary || dictionary->GetLanguages().Count() == 0)
        throw ELangException(std::string(messages::NoLanguagesInDictionary));
    const TLanguageList& languages = dictionary->GetLanguages();
    int chosen = 0;
    if (!langMainName_.empty()) {
        chosen = languages.IndexOf(langMainName_);
        if (chosen < 0)
            throw ELangException::Format(messages::LanguageDoesNotExist, langMainName_);
    } else if (langMainNumber_ != -1) {
        if (!languages.IsValidIndex(langMainNumber_))
            throw ELangException::Format(messages::LanguageDoesNotExist,
                                         std::to_string(langMainNumber_));
        chosen = langMainNumber_;
    }
    mainLanguage_->Assign(languages[chosen]);
    statisticsIndex_ = languages.IndexOf(StatisticsName);
    previousLanguage_->Assign(*mainLanguage_);
    currentLanguage_->Assign(*mainLanguage_);
}

void TVantelo::UnloadDictionary(const std::string& fileName) {
    LanguageSessions().RemoveSession(fileName);
}

void TVantelo::RecordUsage(TLanguageItem* line) {
    if (!line || statisticsIndex_ == -1 || !CollectStatistics || !line->Session)
        return;
    line->Session->CountUsage(line->Session->IndexOfLine(line));
}

// ---- language changes -------------------------------------------------------

// A debug log that cannot be written does not stop a language change half
// way: the change completes, then the first failure is raised.
void TVantelo::ChangeLanguage(const TLanguage& language) {
    asChange([&] { changeLanguage(language); });
}

void TVantelo::asChange(const std::function<void()>& change) {
    ++changeDepth_;
    try {
        change();
    } catch (...) {
        if (--changeDepth_ == 0)
            logError_ = nullptr;
        throw;
    }
    if (--changeDepth_ == 0 && logError_) {
        const std::exception_ptr error = logError_;
        logError_ = nullptr;
        std::rethrow_exception(error);
    }
}

void TVantelo::changeLanguage(const TLanguage& language) {
    bool canChange = true;
    const TLanguage* newLng = &language;
    if (OnLangChangeBefore)
        OnLangChangeBefore(this, *previousLanguage_, newLng, canChange);
    if (!canChange || !newLng)
        return;
    if (newLng != currentLanguage_.get()) {
        // The target may be our own PreviousLanguage (switching back), which
        // the next line overwrites: take it first.
        TLanguage target;
        target.Assign(*newLng);
        previousLanguage_->Assign(*currentLanguage_);
        currentLanguage_->Assign(target);
        if (newLng == previousLanguage_.get())
            newLng = currentLanguage_.get();
        QObject* owner = parent();
        if (!owner)
            return;
        if (TranslateForm)
            TranslateObject(owner, *previousLanguage_, target);
        if (snapshotPending_) {
            // Each listed name, letter case aside, goes to the first of its
            // entries and to the first component of that name.
            std::unordered_map<std::string, int> listed;
            for (int i = 0; i < listComponents_.Count(); ++i)
                listed.try_emplace(UpperCase(listComponents_.Strings(i)), i);
            for (QObject* component : Components(owner)) {
                const auto entry = listed.find(UpperCase(nameOf(component)));
                if (entry == listed.end())
                    continue;
                const int index = entry->second;
                listed.erase(entry);
                SnapshotComponent(owner, component, index);
            }
            snapshotPending_ = false;
        }
        RestoreListedComponents(target);
    }
    if (designerVL_)
        designerVL_->LanguageChanged(newLng->Index);
    if (OnLangChangeAfter)
        OnLangChangeAfter(this, *previousLanguage_, newLng);
}

const TLanguage* TVantelo::languageNamed(TItemSession& dictionary, std::string_view name,
                                         bool exactCase) const {
    const TLanguageList& languages = dictionary.GetLanguages();
    if (languages.IndexOf(name) < 0)
        throw ELangException::Format(messages::LanguageNotRegistered, std::string(name));
    // Exactly: the first of that very spelling. Otherwise the last whose
    // name matches without regard to case.
    const TLanguage* found = nullptr;
    for (int i = 0; i < languages.Count(); ++i) {
        const TLanguage& language = languages[i];
        if (exactCase ? language.Name == name : SameText(language.Name, name)) {
            found = &language;
            if (exactCase)
                break;
        }
    }
    return found;
}

void TVantelo::ChangeLanguageByName(std::string_view name) {
    TItemSession* dictionary = Dictionary();
    if (!dictionary)
        return;
    const TLanguageList& languages = dictionary->GetLanguages();
    const int index = languages.IndexOf(name);
    if (index < 0)
        throw ELangException::Format(messages::LanguageNotRegistered, std::string(name));
    ChangeLanguage(languages[index]);
}

void TVantelo::ChangeLanguageByNumber(int number) {
    TItemSession* dictionary = Dictionary();
    if (!dictionary)
        return;
    const TLanguageList& languages = dictionary->GetLanguages();
    if (!languages.IsValidIndex(number))
        throw ELangException::Format(messages::LanguageNotRegistered, std::to_string(number));
    ChangeLanguage(languages[number]);
}

// ---- texts --------------------------------------------------------------------

void TVantelo::translateIn(TItemSession& dictionary, QObject* owner, QObject* object,
                           const std::string& word, const TLanguage& source,
                           const TLanguage& target, TStatusTranslate& status, std::string& result,
                           bool& found) {
    bool notFound = true;
    std::string translated;
    if (!dictionary.DebugMode) {
        translated = dictionary.Translate(nullptr, nullptr, word, source, target, notFound);
    } else {
        // The log names the owner only when it is a component, not the
        // application object.
        const bool ownerKnown = owner && owner != QCoreApplication::instance();
        const TComponentRef parentRef = ownerKnown ? ComponentRef(owner) : TComponentRef{};
        const TComponentRef objectRef = object ? ComponentRef(object) : TComponentRef{};
        try {
            translated = dictionary.Translate(ownerKnown ? &parentRef : nullptr,
                                              object ? &objectRef : nullptr, word, source,
                                              target, notFound);
        } catch (const EDebugLogError&) {
            // Only a text that was not found is logged.
            if (changeDepth_ == 0)
                throw;
            if (!logError_)
                logError_ = std::current_exception();
            notFound = true;
        }
    }
    found = !notFound;
    if (found) {
        status = stTranslated;
        result = std::move(translated);
    }
}

void TVantelo::TranslateWord(QObject* owner, QObject* object, const QString& text,
                             TStatusTranslate& status, const TLanguage& source,
                             const TLanguage& target, QString& result) {
    const QString original = text;
    result = original;
    status = stNotFound;
    bool canTranslate = true;
    QString word = original;
    if (OnWordTranslateBefore) {
        OnWordTranslateBefore(object, target, word, canTranslate);
        if (!canTranslate) {
            result = original;
            return;
        }
    }
    QString working = word;
    if (const auto bytes = dictionaryText(word)) {
        std::string translated;
        bool found = false;
        TItemSession* own = trimmedEmpty(fileName_) ? nullptr : Dictionary();
        // Before a dictionary was loaded successfully the languages have no
        // names; texts then pass through as they are.
        const bool chosen = !source.Name.empty() && !target.Name.empty();
        if (own && chosen && own->GetLanguages().Count() > 0) {
            translateIn(*own, owner, object, *bytes, source, target, status, translated, found);
            // A look-up into the language the text is in already (the first
            // half of TranslateText, mostly) is no use of the line.
            if (statisticsIndex_ != -1 && CollectStatistics && !SameText(source.Name, target.Name))
                RecordUsage(own->FindLine(*bytes, source));
        }
        if (allFind_ && !found && chosen) {
            // Every loaded dictionary that holds the text is asked; the last
            // that translates it decides.
            const TLangSession& sessions = LanguageSessions();
            for (int i = 0; i < sessions.Count(); ++i) {
                TItemSession* other = sessions.SessionAt(i);
                if (!other || !other->FindLine(*bytes, source))
                    continue;
                bool translatedHere = false;
                std::string candidate;
                TStatusTranslate ignored = stNotFound;
                translateIn(*other, owner, object, *bytes, source, target, ignored, candidate,
                            translatedHere);
                if (translatedHere) {
                    found = true;
                    translated = std::move(candidate);
                    status = other == own ? stTranslated : stOtherDictionary;
                }
            }
        }
        if (found)
            working = FromDictionaryText(translated);
    }
    if (OnWordTranslateAfter)
        OnWordTranslateAfter(object, target, word, working, status);
    result = working;
}

void TVantelo::TranslateFromMain(QObject* owner, QObject* object, const QString& text,
                                 TStatusTranslate& status, const TLanguage& target,
                                 QString& result) {
    TranslateWord(owner, object, text, status, *mainLanguage_, target, result);
}

void TVantelo::TranslateText(QObject* owner, QObject* object, const QString& text,
                             TStatusTranslate& status, QString& result) {
    QString inMain;
    TranslateWord(owner, object, text, status, *previousLanguage_, *mainLanguage_, inMain);
    TranslateFromMain(owner, object, inMain, status, *currentLanguage_, result);
}

QString TVantelo::Tr(const QString& text, QObject* object) {
    TStatusTranslate status = stNotFound;
    QString result;
    TranslateText(parent(), object, text, status, result);
    return result;
}

void TVantelo::TranslateByNames(QObject* owner, QObject* object, const QString& text,
                                TStatusTranslate& status, std::string_view fromName,
                                std::string_view toName, QString& result) {
    const QString original = text;
    result = original;
    status = stNotFound;
    TItemSession* dictionary = Dictionary();
    if (!dictionary)
        return;
    const TLanguage* from = languageNamed(*dictionary, fromName, true);
    const TLanguage* to = languageNamed(*dictionary, toName, true);
    if (from && to)
        TranslateWord(owner, object, original, status, *from, *to, result);
}

void TVantelo::TranslateFromMainByName(QObject* owner, QObject* object, const QString& text,
                                       TStatusTranslate& status, std::string_view toName,
                                       QString& result) {
    const std::string mainName = mainLanguage_->Name;
    TranslateByNames(owner, object, text, status, mainName, toName, result);
}

// ---- snapshots ------------------------------------------------------------------

void TVantelo::SnapshotComponent(QObject* owner, QObject* component, int listIndex) {
    const int registration = FindRegistration(component);
    if (registration < 0)
        return;
    listComponents_.SetObject(listIndex, std::make_unique<TComponentSnapshot>());
    const std::vector<std::string> properties = PublishedProperties(component);
    if (!properties.empty())
        SnapshotProperties(owner, component, *listComponents_.Objects(listIndex),
                           Registrations().Objects(registration), properties);
}

void TVantelo::SnapshotProperties(QObject* owner, QObject* component,
                                  TComponentSnapshot& snapshot, const TRegObj& registration,
                                  const std::vector<std::string>& properties) {
    for (const std::string& property : properties) {
        if (!registered(registration, property))
            continue;
        auto lines = std::make_unique<TPropertySnapshot>();
        auto lineOf = [&](int lineIndex, const QString& value) -> TLanguageItem* {
            const auto bytes = dictionaryText(value);
            return bytes ? FindWordLine(owner, component, lineIndex, property, *bytes, fileName_)
                         : nullptr;
        };
        switch (KindOf(component, property)) {
        case PropertyKind::String:
            lines->Add(lineOf(-1, ReadString(component, property).value_or(QString())));
            break;
        case PropertyKind::StringList: {
            const auto list = ReadStrings(component, property);
            if (!list)
                notStrings(property);
            for (qsizetype k = 0; k < list->size(); ++k)
                lines->Add(lineOf(int(k), (*list)[k]));
            break;
        }
        case PropertyKind::None:
            continue;
        }
        snapshot.Add(property, std::move(lines));
    }
}

TLanguageItem* TVantelo::FindWordLine(QObject* owner, QObject* component, int lineIndex,
                                      const std::string& propertyName, const std::string& text,
                                      const std::string& fileName) {
    if (text.empty())
        return nullptr;
    const TLangSession& sessions = LanguageSessions();
    TItemSession* searched = sessions.Find(fileName);
    TLanguageItem* line = searched ? searched->FindLine(text, *mainLanguage_) : nullptr;
    if (allFind_ && !line) {
        for (int i = 0; i < sessions.Count() && !line; ++i) {
            if (TItemSession* other = sessions.SessionAt(i)) {
                searched = other;
                line = other->FindLine(text, *mainLanguage_);
            }
        }
    }
    RecordUsage(line);
    if (!DebugLog && !DebugDialog)
        return line;
    if (!line) {
        if (!searched)
            return nullptr;
        return ReportMissingWord(owner, component, searched->GetLanguages(), nullptr, lineIndex,
                                 propertyName, text);
    }
    const TLanguageList& languages = line->Session->GetLanguages();
    for (int i = 0; i < languages.Count() && i < line->ColumnCount(); ++i) {
        if (!line->HasTextAt(i) && languages[i].Name != StatisticsName) {
            if (TLanguageItem* reported = ReportMissingWord(owner, component, languages, line,
                                                            lineIndex, propertyName, text))
                line = reported;
            break;
        }
    }
    return line;
}

void TVantelo::RestoreListedComponents(const TLanguage& language) {
    QObject* owner = parent();
    if (!owner)
        return;
    const auto byName = componentsByName(owner);
    for (int i = 0; i < listComponents_.Count(); ++i) {
        const auto found = byName.find(UpperCase(listComponents_.Strings(i)));
        if (found == byName.end() || !listComponents_.Objects(i) ||
            FindRegistration(found->second) < 0)
            continue;
        RestoreComponent(found->second, i, language);
    }
}

void TVantelo::RestoreComponent(QObject* component, int listIndex, const TLanguage& language) {
    TComponentSnapshot* snapshot = listComponents_.Objects(listIndex);
    if (!snapshot)
        return;
    const std::vector<std::string> properties = PublishedProperties(component);
    if (!properties.empty())
        RestoreProperties(component, properties, language, *snapshot);
}

void TVantelo::RestoreProperties(QObject* component, const std::vector<std::string>& properties,
                                 const TLanguage& language, TComponentSnapshot& snapshot) {
    for (const std::string& property : properties) {
        const int index = snapshot.IndexOf(property);
        if (index < 0)
            continue;
        TPropertySnapshot& lines = snapshot.Objects(index);
        QString text;
        TStatusTranslate status = stNotFound;
        switch (KindOf(component, property)) {
        case PropertyKind::String:
            SnapshotText(lines, 0, text, status, language);
            if (status == stTranslated || status == stOtherDictionary)
                WriteString(component, property, text);
            break;
        case PropertyKind::StringList: {
            auto list = ReadStrings(component, property);
            if (!list)
                notStrings(property);
            try {
                for (int k = 0; k < list->size(); ++k) {
                    if (k >= lines.Count())
                        break;
                    SnapshotText(lines, k, text, status, language);
                    if (status == stTranslated || status == stOtherDictionary)
                        (*list)[k] = text;
                }
            } catch (const std::exception&) {
                // The lines not reached keep their texts.
            }
            WriteStrings(component, property, *list);
            break;
        }
        case PropertyKind::None:
            break;
        }
    }
}

void TVantelo::SnapshotText(TPropertySnapshot& snapshot, int position, QString& text,
                            TStatusTranslate& status, const TLanguage& language) {
    status = stNotFound;
    text.clear();
    if (const auto found = snapshot.Text(position, language)) {
        text = FromDictionaryText(*found);
        status = stTranslated;
    }
}

// ---- direct translation -----------------------------------------------------------

void TVantelo::TranslateComponent(QObject* component, std::string_view fromName,
                                  std::string_view toName) {
    asChange([&] { translateComponent(component, fromName, toName); });
}

void TVantelo::translateComponent(QObject* component, std::string_view fromName,
                                  std::string_view toName) {
    TItemSession* dictionary = Dictionary();
    if (!dictionary)
        return;
    const TLanguage& from = *languageNamed(*dictionary, fromName, false);
    const TLanguage& to = *languageNamed(*dictionary, toName, false);
    bool canChange = true;
    const TLanguage* newLng = &to;
    if (OnLangChangeBefore)
        OnLangChangeBefore(this, *previousLanguage_, newLng, canChange);
    if (!canChange || !newLng)
        return;
    TLanguage target;
    target.Assign(*newLng);
    if (TranslateForm)
        TranslateObject(component, from, target);
    for (QObject* owned : Components(component))
        TranslateObject(owned, from, target);
    if (designerVL_)
        designerVL_->LanguageChanged(target.Index);
    if (OnLangChangeAfter)
        OnLangChangeAfter(this, *previousLanguage_, newLng);
}

void TVantelo::TranslateObject(QObject* object, const TLanguage& source,
                               const TLanguage& target) {
    const int registration = FindRegistration(object);
    if (registration < 0)
        return;
    const std::vector<std::string> properties = PublishedProperties(object);
    if (!properties.empty())
        TranslateProperties(object, properties, Registrations().Objects(registration), source,
                            target);
}

void TVantelo::TranslateProperties(QObject* object, const std::vector<std::string>& properties,
                                   const TRegObj& registration, const TLanguage& source,
                                   const TLanguage& target) {
    for (const std::string& property : properties) {
        if (!registered(registration, property))
            continue;
        PropertyScope scope(property);
        switch (KindOf(object, property)) {
        case PropertyKind::String: {
            QString value = ReadString(object, property).value_or(QString());
            TranslateString(ComponentOwner(object), object, value, source, target);
            WriteString(object, property, value);
            break;
        }
        case PropertyKind::StringList: {
            auto list = ReadStrings(object, property);
            if (!list)
                notStrings(property);
            TranslateStrings(object, *list, source, target);
            WriteStrings(object, property, *list);
            break;
        }
        case PropertyKind::None:
            break;
        }
    }
}

void TVantelo::TranslateString(QObject* owner, QObject* object, QString& text,
                               const TLanguage& source, const TLanguage& target) {
    TStatusTranslate status = stNotFound;
    QString result;
    TranslateWord(owner, object, text, status, source, target, result);
    text = result;
}

void TVantelo::TranslateStrings(QObject* object, QStringList& strings, const TLanguage& source,
                                const TLanguage& target) {
    // The line belongs to the object's list, which is no component: the
    // object stands as the owner and no object is named.
    const qsizetype count = strings.size();
    for (qsizetype i = 0; i < count; ++i) {
        QString line = strings[i];
        TranslateString(object, nullptr, line, source, target);
        strings[i] = line;
    }
}

// ---- debug mode -----------------------------------------------------------------

void TVantelo::writeLog(const std::vector<std::string>& block) {
    if (changeDepth_ == 0) {
        DebugLog::WriteBlock(block);
        return;
    }
    // During a language change the first failure is kept for the end of the
    // change, and the change goes on without writing more.
    if (logError_)
        return;
    try {
        DebugLog::WriteBlock(block);
    } catch (const EDebugLogError&) {
        logError_ = std::current_exception();
    }
}

namespace {

void appendContext(std::vector<std::string>& block, const QObject* owner, const QObject* component,
                   const std::string& propertyName, int lineIndex) {
    block.push_back("-ParentObject:>" + (owner ? nameOf(owner) : std::string("Unknown")));
    block.push_back("-ClassObject:>" + (component ? ClassName(component) : std::string("Nil")));
    block.push_back("-PropertyName:>" + propertyName);
    block.push_back("-ObjectName:>" + (component ? nameOf(component) : std::string("Nil")));
    block.push_back("-Items:>" + (lineIndex == -1 ? std::string("Unknown") : std::to_string(lineIndex)));
    block.emplace_back();
}

} // namespace

TLanguageItem* TVantelo::ReportMissingWord(QObject* owner, QObject* component,
                                           const TLanguageList& languages, TLanguageItem* line,
                                           int lineIndex, const std::string& propertyName,
                                           const std::string& text) {
    TLanguageItem* result = nullptr;
    const auto textIn = [&](int column) {
        return line && column < line->ColumnCount() && line->HasTextAt(column)
                   ? line->GetTextAt(column)
                   : std::string();
    };
    if (DebugLog && !text.empty()) {
        // The key holds the text as the log line does, line breaks escaped.
        const std::string key = mainLanguage_->ExportStr + ">" + EscapeLineBreaks(text);
        if (!vantelo::DebugLog::IsReported(key)) {
            std::vector<std::string> block;
            for (int i = 0; i < languages.Count(); ++i) {
                const std::string own = textIn(i);
                block.push_back(languages[i].ExportStr + ">" +
                                EscapeLineBreaks(own.empty() ? text : own));
            }
            appendContext(block, owner, component, propertyName, lineIndex);
            writeLog(block);
        }
    }
    if (DebugDialog && !text.empty()) {
        TLanguageWord word;
        for (int i = 0; i < languages.Count(); ++i)
            word.push_back(line ? textIn(i) : text);
        if (TLanguageItem* added =
                ShowDebugWordDialog(owner, component, languages, lineIndex, propertyName, word))
            result = added;
    }
    return result;
}

TLanguageItem* TVantelo::ShowDebugWordDialog(QObject* owner, QObject* component,
                                             const TLanguageList& languages, int lineIndex,
                                             const std::string& propertyName,
                                             const TLanguageWord& word) {
    const QString title = QStringLiteral("Debug:") + QString::fromStdString(ClassName(component)) +
                          u'(' + (component ? component->objectName() : QString()) +
                          QStringLiteral(").") + QString::fromStdString(propertyName);
    TLanguageWord entered;
    int answer = 0;
    {
        TfrmDebugWordVL dialog(languages, word, title);
        answer = dialog.exec();
        entered = dialog.Word();
    }
    TLanguageItem* result = nullptr;
    if (answer == 1) {
        if (TItemSession* dictionary = Dictionary())
            dictionary->AddWord(entered);
        for (int i = 0; i < languages.Count() && i < entered.Count(); ++i) {
            if (languages[i].Name == mainLanguage_->Name) {
                result = FindWordLine(owner, component, -1, "", entered[size_t(i)], fileName_);
                break;
            }
        }
    }
    std::vector<std::string> block;
    for (int i = 0; i < languages.Count(); ++i)
        block.push_back(languages[i].ExportStr + ">" +
                        EscapeLineBreaks(i < entered.Count() ? entered[size_t(i)] : std::string()));
    appendContext(block, owner, component, propertyName, lineIndex);
    writeLog(block);
    if (answer == 8) {
        DebugDialog = false;
        std::string& dialogSwitch = DebugDialogSwitch();
        if (CommandLine::HasSwitch(dialogSwitch))
            dialogSwitch = LowerCase(dialogSwitch);
    }
    return result;
}

} // namespace vantelo
