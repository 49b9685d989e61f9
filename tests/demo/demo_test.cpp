// The demo window on real widgets with the dictionary the build makes from
// examples/demo.txt, and the demo program run as a user runs it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>

#include "demo_window.h"
#include "dictionary/command_line.h"
#include "dictionary/debug_log.h"
#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "translation/shared_state.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using vantelo::demo::DemoWindow;

// A missing widget fails the test (GoogleTest reports the exception).
template <class W> W* child(const QObject& window, const char* name) {
    W* found = window.findChild<W*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("no widget ") + name);
    return found;
}

// What the user sees of each kind of component, in this order: window title,
// menu title, menu entry and its long hint, labels, the second combo item,
// the third list item, check box, first and last memo line, button, file
// dialog title and first filter, and the message made at run time (with the
// second colour and third fruit chosen).
QStringList shownTexts(const DemoWindow& window) {
    const QAction* open = child<QAction>(window, "openAction");
    const QStringList notes =
        child<QPlainTextEdit>(window, "notesMemo")->toPlainText().split(QLatin1Char('\n'));
    const QFileDialog* dialog = child<QFileDialog>(window, "openDialog");
    return {window.windowTitle(),
            child<QMenu>(window, "fileMenu")->title(),
            open->text(),
            open->statusTip(),
            child<QLabel>(window, "headingLabel")->text(),
            child<QLabel>(window, "colourLabel")->text(),
            child<QComboBox>(window, "colourCombo")->itemText(1),
            child<QListWidget>(window, "fruitList")->item(2)->text(),
            child<QCheckBox>(window, "rememberCheck")->text(),
            notes.value(0),
            notes.value(2),
            child<QPushButton>(window, "messageButton")->text(),
            dialog->windowTitle(),
            dialog->nameFilters().value(0),
            window.GreetingText()};
}

// clang-format off
const QStringList English = {
    "Vantelo Demo", "&File", "&Open…", "Chooses a text file", "Welcome to the Vantelo demo!",
    "&Colour:", "Green", "Cherry", "&Remember my choices",
    "Every line of these notes is looked up on its own.", "42 × 7 = 294", "Show &message",
    "Open a text file", "Text files (*.txt)", "Your colour is Green and your fruit is Cherry."};
const QStringList German = {
    "Vantelo-Demo", "&Datei", "Ö&ffnen…", "Wählt eine Textdatei aus",
    "Willkommen zur Vantelo-Demo!", "&Farbe:", "Grün", "Kirsche", "Auswahl &merken",
    "Jede Zeile dieser Notizen wird einzeln nachgeschlagen.", "42 × 7 = 294",
    "Nachricht &zeigen", "Textdatei öffnen", "Textdateien (*.txt)",
    "Ihre Farbe ist Grün und Ihre Frucht ist Kirsche."};
const QStringList French = {
    "Démo Vantelo", "&Fichier", "&Ouvrir…", "Choisit un fichier texte",
    "Bienvenue dans la démo Vantelo !", "&Couleur :", "Vert", "Cerise", "&Mémoriser mes choix",
    "Chaque ligne de ces notes est cherchée séparément.", "42 × 7 = 294",
    "&Afficher le message", "Ouvrir un fichier texte", "Fichiers texte (*.txt)",
    "Votre couleur est Vert et votre fruit est Cerise."};
// clang-format on

class DemoWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.LoadDictionary(VANTELO_DEMO_LGF);
        child<QComboBox>(window, "colourCombo")->setCurrentIndex(1);
        child<QListWidget>(window, "fruitList")->setCurrentRow(2);
    }

    DemoWindow window;
};

TEST_F(DemoWindowTest, SwitchesEveryTextBetweenTheLanguages) {
    EXPECT_EQ(shownTexts(window), English);
    const std::pair<const char*, const QStringList*> steps[] = {
        {"German", &German}, {"French", &French}, {"English", &English}, {"French", &French}};
    for (const auto& [language, texts] : steps) {
        window.ChangeLanguage(language);
        EXPECT_EQ(shownTexts(window), *texts) << language;
    }
    // Renaming items keeps the user's choice.
    EXPECT_EQ(child<QComboBox>(window, "colourCombo")->currentIndex(), 1);
    EXPECT_EQ(child<QListWidget>(window, "fruitList")->currentRow(), 2);
}

TEST_F(DemoWindowTest, LanguageMenuListsTheDictionaryAndSwitches) {
    EXPECT_EQ(window.Languages(), QStringList({"English", "German", "French"}));
    const QMenu* menu = child<QMenu>(window, "languageMenu");
    QAction* german = menu->actions().value(1);
    ASSERT_NE(german, nullptr);
    german->trigger();
    EXPECT_EQ(shownTexts(window), German);
    EXPECT_EQ(menu->title(), QStringLiteral("&Sprache"));
    EXPECT_TRUE(german->isChecked());
    EXPECT_FALSE(menu->actions().value(0)->isChecked());

    // An unknown language changes nothing.
    EXPECT_THROW(window.ChangeLanguage("Klingon"), vantelo::ELangException);
    EXPECT_EQ(shownTexts(window), German);
    EXPECT_TRUE(german->isChecked());
}

TEST_F(DemoWindowTest, MessageButtonShowsTheMessageInTheLanguageShown) {
    window.ChangeLanguage("French");
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            box->accept();
        }
    });
    child<QPushButton>(window, "messageButton")->click();
    EXPECT_EQ(title, French.first());
    EXPECT_EQ(text, French.last());
}

// Debug mode: the first language change logs the texts the dictionary lacks,
// and the log reads back into a dictionary with its context columns.
TEST(DemoDebugMode, FirstChangeLogsTheGapsForTheTranslator) {
    QTemporaryDir folder;
    vantelo::CommandLine::SetParameters({"-vldebug"});
    vantelo::DebugLog::Reset();
    vantelo::DebugLog::SetFolder(folder.path().toStdString());
    // A dictionary loaded before knew nothing of debug mode.
    vantelo::LanguageSessions().RemoveSession(VANTELO_DEMO_LGF);
    {
        DemoWindow window;
        window.LoadDictionary(VANTELO_DEMO_LGF);
        EXPECT_TRUE(window.statusBar()->currentMessage().contains(DemoWindow::DebugLogPath()));
        window.ChangeLanguage("French");
        EXPECT_EQ(child<QComboBox>(window, "colourCombo")->itemText(2), "Blue");
    }
    vantelo::CommandLine::SetParameters({});
    vantelo::LanguageSessions().RemoveSession(VANTELO_DEMO_LGF);

    vantelo::TItemSession log;
    log.ImportText(vantelo::DebugLog::Path().string());
    vantelo::DebugLog::Reset();
    const vantelo::TLanguageList& columns = log.GetLanguages();
    for (const char* name :
         {"English", "German", "French", "ParentObject", "ClassObject", "PropertyName",
          "ObjectName", "Items"})
        EXPECT_GE(columns.IndexOf(name), 0) << name;
    ASSERT_EQ(log.LineCount(), 2);
    const vantelo::TLanguageItem* notes = log.FindLine("42 \xD7 7 = 294", columns[0]);
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->GetText(columns[columns.IndexOf("ObjectName")]), "notesMemo");
    EXPECT_EQ(notes->GetText(columns[columns.IndexOf("Items")]), "2");
    const vantelo::TLanguageItem* blue = log.FindLine("Blue", columns[0]);
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->GetText(columns[1]), "Blau");
    EXPECT_EQ(blue->GetText(columns[columns.IndexOf("PropertyName")]), "Items");
    EXPECT_EQ(blue->GetText(columns[columns.IndexOf("ParentObject")]), "demoWindow");
}

int runDemo(const QStringList& arguments, QString* errors = nullptr,
            const QString& folder = QString()) {
    QProcess demo;
    demo.setWorkingDirectory(folder);
    demo.start(QStringLiteral(VANTELO_DEMO), arguments);
    if (!demo.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = QString::fromUtf8(demo.readAllStandardError());
    return demo.exitStatus() == QProcess::NormalExit ? demo.exitCode() : -1;
}

TEST(DemoProgram, HelpAndUnknownLanguages) {
    EXPECT_EQ(runDemo({"--help"}), 0);
    QString errors;
    EXPECT_EQ(runDemo({"--language", "Klingon"}, &errors), 2);
    EXPECT_TRUE(errors.contains(QStringLiteral("\"Klingon\" is not registered")))
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("English, German, French"))) << errors.toStdString();
    EXPECT_EQ(runDemo({"--language"}), 2);
}

// Started elsewhere, the program still finds demo.lgf beside itself.
TEST(DemoProgram, StartsInTheLanguageAskedFor) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString shot = folder.filePath(QStringLiteral("shot.png"));
    QString errors;
    EXPECT_EQ(runDemo({"--language", "German", "--screenshot", shot}, &errors, folder.path()), 0)
        << errors.toStdString();
    EXPECT_FALSE(QImage(shot).isNull());
}

} // namespace
