#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

class QActionGroup;
class QComboBox;
class QFileDialog;
class QListWidget;
class QMenu;
class QPlainTextEdit;

namespace vantelo {
class TVantelo;
}

namespace vantelo::demo {

// The demo's main window. It is built in English, the dictionary's main
// language, and owns a TVantelo component that switches it into the other
// languages of the dictionary: every widget that shows a text has a name and
// is listed in the component's ListComponents; the window's own title
// follows through TranslateForm; messages made at run time go through Tr.
class DemoWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DemoWindow(QWidget* parent = nullptr);

    // Loads the dictionary (a bare name is looked for in the program's
    // folder, then in the current one) and lists its languages in the
    // Language menu. Raises ELangException.
    void LoadDictionary(const std::string& fileName);
    // Raises ELangException for a language the dictionary does not have.
    void ChangeLanguage(std::string_view name);
    // The languages the Language menu offers, in the dictionary's order.
    QStringList Languages() const;

    // The message "Show message" shows, made in the language shown now.
    QString GreetingText() const;

    TVantelo& Translator() const { return *translator_; }
    // Where debug mode (-VLDEBUG) logs the texts the dictionary lacks.
    static QString DebugLogPath();

private:
    void buildMenus();
    void buildCentralWidget();
    void fillLanguageMenu();
    void markLanguage(const std::string& name);
    void showError(const QString& what);
    void chooseFile();
    void saveNotes();
    void showGreeting();
    // "Close" asks first, in a translated message box.
    void confirmClose();

    TVantelo* translator_;
    QMenu* languageMenu_ = nullptr;
    QActionGroup* languageGroup_ = nullptr;
    QComboBox* colourCombo_ = nullptr;
    QListWidget* fruitList_ = nullptr;
    QPlainTextEdit* notesMemo_ = nullptr;
    QFileDialog* openDialog_ = nullptr;
    QFileDialog* saveDialog_ = nullptr;
};

} // namespace vantelo::demo
