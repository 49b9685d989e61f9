#pragma once

#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/item_session.h"
#include "support/columns.h"
#include "translation/shared_state.h"

namespace vantelo::testing {

// Dictionary files for component tests, written into a folder of their own
// and unloaded from the process's sessions when the test ends, so that
// every test starts without loaded dictionaries.
class DictionaryFiles {
public:
    DictionaryFiles() = default;
    ~DictionaryFiles() {
        for (const auto& name : written_)
            LanguageSessions().RemoveSession(name);
    }
    DictionaryFiles(const DictionaryFiles&) = delete;
    DictionaryFiles& operator=(const DictionaryFiles&) = delete;

    // Writes a dictionary with these columns (a name ending in "*" is a
    // remark) and lines, and answers its path.
    std::string Write(const std::string& name, std::initializer_list<const char*> columns,
                      const std::vector<TLanguageWord>& lines) {
        TItemSession dictionary;
        for (std::string column : columns) {
            const bool remark = column.ends_with('*');
            if (remark)
                column.pop_back();
            auto language = Column(column, remark);
            language->ExportStr = column.substr(0, 3); // short tags keep log lines short
            dictionary.AddLanguage(std::move(language));
        }
        for (const auto& line : lines)
            dictionary.AddWord(line);
        const std::string path = Path(name);
        dictionary.SaveToFile(path);
        written_.push_back(path);
        return path;
    }
    // A path in the folder; the sessions under it are dropped at the end too.
    std::string Path(const std::string& name) {
        const std::string path = folder_.filePath(QString::fromStdString(name)).toStdString();
        written_.push_back(path);
        return path;
    }

private:
    QTemporaryDir folder_;
    std::vector<std::string> written_;
};

// English, German and French, with a line that has no French text and a
// number.
inline std::string WriteStandardDictionary(DictionaryFiles& files,
                                           const std::string& name = "app.lgf") {
    return files.Write(name, {"English", "German", "French"},
                       {{"Open", "\xD6" "ffnen", "Ouvrir"},
                        {"Save", "Speichern", "Enregistrer"},
                        {"Close", "Schlie\xDF" "en", "Fermer"},
                        {"Help", "Hilfe", ""},
                        {"First line", "Erste Zeile", "Premi\xE8re ligne"},
                        {"Second line", "Zweite Zeile", "Deuxi\xE8me ligne"},
                        {"Red", "Rot", "Rouge"},
                        {"Green", "Gr\xFCn", "Vert"},
                        {"Main window", "Hauptfenster", "Fen\xEAtre principale"},
                        {"Text files (*.txt)|*.txt", "Textdateien (*.txt)|*.txt",
                         "Fichiers texte (*.txt)|*.txt"},
                        {"123", "456", "789"}});
}

} // namespace vantelo::testing
