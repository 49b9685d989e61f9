// Switching a window between languages: the listed components through their
// snapshots, the window itself and whole trees directly.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dictionary/debug_log.h"
#include "support/lang_message.h"
#include "translation/dictionary_files.h"
#include "translation/published_properties.h"
#include "translation/vantelo.h"

using namespace vantelo;
using vantelo::testing::DictionaryFiles;
using vantelo::testing::WriteStandardDictionary;

namespace {

// A window in English with one component of each common kind, all listed.
struct Window {
    QMainWindow window;
    QWidget* central = new QWidget(&window);
    QLabel* label = new QLabel("Open", central);
    QPushButton* help = new QPushButton("Help", central);
    QPushButton* unknown = new QPushButton("Not in the dictionary", central);
    QPlainTextEdit* memo = new QPlainTextEdit("First line\nSecond line", central);
    QComboBox* combo = new QComboBox(central);
    QListWidget* list = new QListWidget(central);
    QFileDialog* dialog = new QFileDialog(&window);
    TVantelo* vl = new TVantelo(&window);

    explicit Window(const std::string& dictionary) {
        window.setObjectName("MainWindow");
        window.setWindowTitle("Main window");
        window.setCentralWidget(central);
        auto* layout = new QVBoxLayout(central);
        for (QWidget* w : std::initializer_list<QWidget*>{label, help, unknown, memo, combo, list})
            layout->addWidget(w);
        label->setObjectName("lblOpen");
        help->setObjectName("btnHelp");
        unknown->setObjectName("btnUnknown");
        memo->setObjectName("memNotes");
        combo->setObjectName("cmbColour");
        combo->addItems({"Red", "Green"});
        list->setObjectName("lstColours");
        list->addItems({"Green", "Red", "Blue"});
        dialog->setObjectName("dlgOpen");
        dialog->setWindowTitle("Open");
        WriteString(dialog, "Filter", "Text files (*.txt)|*.txt");
        vl->SetListComponents({"lblOpen", "BTNHELP", "btnUnknown", "memNotes", "cmbColour",
                               "lstColours", "dlgOpen", "missing"});
        vl->SetFileName(dictionary);
    }
};

TEST(WindowTranslationTest, ListedComponentsFollowEveryChange) {
    DictionaryFiles files;
    Window w(WriteStandardDictionary(files));
    // Loading translates nothing.
    EXPECT_EQ(w.label->text(), "Open");
    EXPECT_TRUE(w.vl->SnapshotPending());

    w.vl->ChangeLanguageByName("German");
    EXPECT_FALSE(w.vl->SnapshotPending());
    EXPECT_EQ(w.window.windowTitle(), "Hauptfenster");
    EXPECT_EQ(w.label->text(), "\u00d6ffnen");
    EXPECT_EQ(w.help->text(), "Hilfe");
    EXPECT_EQ(w.unknown->text(), "Not in the dictionary");
    EXPECT_EQ(w.memo->toPlainText(), "Erste Zeile\nZweite Zeile");
    EXPECT_EQ(w.combo->itemText(1), "Gr\u00fcn");
    EXPECT_EQ(ReadStrings(w.list, "Items"), (QStringList{"Gr\u00fcn", "Rot", "Blue"}));
    EXPECT_EQ(w.dialog->windowTitle(), "\u00d6ffnen");
    EXPECT_EQ(ReadString(w.dialog, "Filter"), "Textdateien (*.txt)|*.txt");

    w.vl->ChangeLanguageByName("French");
    EXPECT_EQ(w.label->text(), "Ouvrir");
    EXPECT_EQ(w.help->text(), "Hilfe"); // no French text: German stays
    EXPECT_EQ(w.memo->toPlainText(), "Premi\u00e8re ligne\nDeuxi\u00e8me ligne");
    EXPECT_EQ(w.window.windowTitle(), "Fen\u00eatre principale");

    w.vl->ChangeLanguageByName("English");
    EXPECT_EQ(w.label->text(), "Open");
    EXPECT_EQ(w.help->text(), "Help");
    EXPECT_EQ(w.unknown->text(), "Not in the dictionary");
    EXPECT_EQ(w.combo->itemText(0), "Red");
    EXPECT_EQ(ReadString(w.dialog, "Filter"), "Text files (*.txt)|*.txt");
    EXPECT_EQ(w.window.windowTitle(), "Main window");
}

TEST(WindowTranslationTest, TextsOutsideTheSnapshotAreLeftAlone) {
    DictionaryFiles files;
    Window w(WriteStandardDictionary(files));
    w.vl->ChangeLanguageByName("German");
    // The memo grew, and a label came after the snapshots were taken.
    w.memo->setPlainText("Erste Zeile\nZweite Zeile\nMine\nSave");
    auto* late = new QLabel("Save", w.central);
    late->setObjectName("lblLate");
    w.vl->ListComponents().Add("lblLate");

    w.vl->ChangeLanguageByName("French");
    EXPECT_EQ(w.memo->toPlainText(), "Premi\u00e8re ligne\nDeuxi\u00e8me ligne\nMine\nSave");
    EXPECT_EQ(late->text(), "Save");
    // The memo shrank: the lines there are restored, no more.
    w.memo->setPlainText("x");
    w.vl->ChangeLanguageByName("English");
    EXPECT_EQ(w.memo->toPlainText(), "First line");
}

TEST(WindowTranslationTest, WindowTitleIsTranslatedOnlyWithTranslateForm) {
    DictionaryFiles files;
    Window w(WriteStandardDictionary(files));
    w.vl->TranslateForm = false;
    w.vl->ChangeLanguageByName("German");
    EXPECT_EQ(w.window.windowTitle(), "Main window");
    EXPECT_EQ(w.label->text(), "\u00d6ffnen");
}

TEST(WindowTranslationTest, SnapshotsNeverOutliveTheirDictionary) {
    DictionaryFiles files;
    const std::string path = WriteStandardDictionary(files);
    Window w(path);
    w.vl->ChangeLanguageByName("German");
    w.vl->UnloadDictionary(path);
    EXPECT_EQ(w.vl->Dictionary(), nullptr);
    // The lines are gone with the dictionary; the texts stay as they are.
    w.vl->ChangeLanguage(w.vl->PreviousLanguage());
    EXPECT_EQ(w.label->text(), "\u00d6ffnen");

    // Loaded again, the dictionary has new lines: the old snapshots stay
    // dropped, they are not taken again.
    w.vl->LoadDictionary();
    w.vl->ChangeLanguageByName("French");
    EXPECT_EQ(w.label->text(), "\u00d6ffnen");
}

TEST(WindowTranslationTest, SnapshotsAreDroppedWhenTheirLinesAreRemoved) {
    DictionaryFiles files;
    Window w(WriteStandardDictionary(files));
    w.vl->ChangeLanguageByName("German");
    TItemSession* dictionary = w.vl->Dictionary();
    dictionary->DeleteText("Save", dictionary->GetLanguages()[0]);
    w.vl->ChangeLanguageByName("French");
    EXPECT_EQ(w.label->text(), "\u00d6ffnen");
    // Adding lines keeps them.
    Window other(w.vl->FileName());
    other.vl->ChangeLanguageByName("German");
    dictionary->AddWord({"Blue", "Blau", "Bleu"});
    other.vl->ChangeLanguageByName("French");
    EXPECT_EQ(other.label->text(), "Ouvrir");
}

TEST(WindowTranslationTest, TranslateComponentWalksTheWholeTreeDirectly) {
    DictionaryFiles files;
    Window w(WriteStandardDictionary(files));
    w.vl->ListComponents().Clear();
    std::vector<std::string> after;
    w.vl->OnLangChangeAfter = [&](TVantelo*, TLanguage&, const TLanguage*& newLng) {
        after.push_back(newLng->Name);
    };
    w.vl->TranslateForm = false;
    w.vl->TranslateComponent(&w.window, "english", "GERMAN");
    EXPECT_EQ(w.window.windowTitle(), "Main window");
    EXPECT_EQ(w.label->text(), "\u00d6ffnen");
    EXPECT_EQ(w.memo->toPlainText(), "Erste Zeile\nZweite Zeile");
    EXPECT_EQ(w.dialog->windowTitle(), "\u00d6ffnen");
    EXPECT_EQ(after, std::vector<std::string>{"German"});
    // The component's own languages do not move.
    EXPECT_EQ(w.vl->CurrentLanguage().Name, "English");

    w.vl->TranslateForm = true;
    w.vl->TranslateComponent(&w.window, "German", "French");
    EXPECT_EQ(w.window.windowTitle(), "Main window"); // its title was English
    EXPECT_EQ(w.label->text(), "Ouvrir");
    EXPECT_EQ(w.help->text(), "Hilfe"); // no French text
    EXPECT_EQ(vantelo::testing::LangMessage(
                  [&] { w.vl->TranslateComponent(&w.window, "German", "Latin"); }),
              "Language \"Latin\" is not registered.");
    EXPECT_TRUE(DebugLog::CurrentPropertyName.empty());
}

TEST(WindowTranslationTest, PurgeKeepsNamesOfTheRootAndItsComponents) {
    DictionaryFiles files;
    Window w(WriteStandardDictionary(files));
    w.vl->ListComponents().Add("");
    w.vl->ListComponents().Add("MainWindow");
    w.vl->PurgeListComponents(&w.window);
    EXPECT_EQ(w.vl->ListComponents().Names(),
              (std::vector<std::string>{"lblOpen", "BTNHELP", "btnUnknown", "memNotes",
                                        "cmbColour", "lstColours", "dlgOpen", "MainWindow"}));
    // A root without a name purges nothing.
    QWidget anonymous;
    w.vl->ListComponents().Add("gone");
    w.vl->PurgeListComponents(&anonymous);
    EXPECT_EQ(w.vl->ListComponents().Count(), 9);
}

} // namespace
