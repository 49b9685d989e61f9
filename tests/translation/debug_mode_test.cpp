// Debug mode: the log of texts a dictionary lacks, and the dialog that lets
// a translator complete them on the spot.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "dictionary/command_line.h"
#include "dictionary/debug_log.h"
#include "support/lang_message.h"
#include "translation/debug_word_dialog.h"
#include "support/modal.h"
#include "translation/dictionary_files.h"
#include "translation/shared_state.h"
#include "translation/vantelo.h"

using namespace vantelo;
using vantelo::testing::DictionaryFiles;
using vantelo::testing::OnNextModal;
using vantelo::testing::WriteStandardDictionary;

namespace {


// Switches on the command line and a log folder of its own for one test.
class DebugModeTest : public ::testing::Test {
protected:
    void start(std::vector<std::string> switches) {
        CommandLine::SetParameters(std::move(switches));
        DebugLog::Reset();
        DebugLog::SetFolder(folder_.path().toStdString());
    }
    void TearDown() override {
        CommandLine::SetParameters({});
        DebugLog::Reset();
        DebugDialogSwitch() = "-VLDEBUGDLG";
    }
    std::string log() const {
        std::ifstream in(DebugLog::Path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static std::string block(std::initializer_list<std::string> lines) {
        std::string out;
        for (const auto& line : lines)
            out += line + "\r\n";
        return out + "\r\n";
    }

    QTemporaryDir folder_;
};

TEST_F(DebugModeTest, EachWriterLogsMissingTextsOncePerRun) {
    start({"-vldebug"});
    DictionaryFiles files;
    QWidget window;
    window.setObjectName("frmMain");
    window.setWindowTitle("Untitled window");
    auto* missing = new QLabel("Not there", &window);
    missing->setObjectName("lblMissing");
    auto* again = new QLabel("NOT THERE", &window);
    again->setObjectName("lblAgain");
    auto* help = new QPushButton("Help", &window);
    help->setObjectName("btnHelp");
    auto* list = new QListWidget(&window);
    list->setObjectName("lstLines");
    list->addItems({"Open", "Two\r\nlines"});
    auto* list2 = new QListWidget(&window);
    list2->setObjectName("lstAgain");
    list2->addItems({"Two\r\nlines"});
    auto* vl = new TVantelo(&window);
    EXPECT_TRUE(vl->DebugLog);
    EXPECT_FALSE(vl->DebugDialog);
    vl->SetListComponents({"lblMissing", "lblAgain", "btnHelp", "lstLines", "lstAgain"});
    vl->SetFileName(WriteStandardDictionary(files));

    vl->ChangeLanguageByName("French");
    QString result;
    TStatusTranslate status = stNotFound;
    vl->TranslateText(nullptr, nullptr, "Unknown message", status, result);
    vl->TranslateText(nullptr, nullptr, "unknown MESSAGE", status, result);

    const std::string expected =
        // the dictionary's own report for the window's title
        block({"Eng>Untitled window", "Ger>Untitled window", "Fre>Untitled window",
               "-ParentObject:>Unknown", "-ClassObject:>QWidget", "-ObjectName:>frmMain",
               "-PropertyName:>Caption", "-Items:>Unknown"}) +
        // the component's reports, from the snapshots
        block({"Eng>Not there", "Ger>Not there", "Fre>Not there", "-ParentObject:>frmMain",
               "-ClassObject:>QLabel", "-PropertyName:>Caption", "-ObjectName:>lblMissing",
               "-Items:>Unknown"}) +
        block({"Eng>Help", "Ger>Hilfe", "Fre>Help", "-ParentObject:>frmMain",
               "-ClassObject:>QPushButton", "-PropertyName:>Caption", "-ObjectName:>btnHelp",
               "-Items:>Unknown"}) +
        block({"Eng>Two\xB6\xB6lines", "Ger>Two\xB6\xB6lines", "Fre>Two\xB6\xB6lines",
               "-ParentObject:>frmMain", "-ClassObject:>QListWidget", "-PropertyName:>Items",
               "-ObjectName:>lstLines", "-Items:>1"}) +
        // a message the application translates, outside any component
        block({"Eng>Unknown message", "Ger>Unknown message", "Fre>Unknown message",
               "-ParentObject:>Unknown", "-ClassObject:>Nil", "-ObjectName:>Nil",
               "-PropertyName:>Unknown", "-Items:>Unknown"});
    EXPECT_EQ(log(), expected);

    // Later changes record nothing anew.
    vl->ChangeLanguageByName("German");
    EXPECT_EQ(log(), expected);
}

TEST_F(DebugModeTest, UnwritableLogFailsTheChangeOnlyAfterItIsDone) {
    start({"-VLDEBUG"});
    DebugLog::SetFolder(folder_.filePath("no/such/folder").toStdString());
    DictionaryFiles files;
    QWidget window;
    window.setObjectName("frmMain");
    auto* missing = new QLabel("Not there", &window);
    missing->setObjectName("lblMissing");
    auto* open = new QLabel("Open", &window);
    open->setObjectName("lblOpen");
    auto* vl = new TVantelo(&window);
    vl->SetListComponents({"lblMissing", "lblOpen"});
    vl->SetFileName(WriteStandardDictionary(files));
    EXPECT_EQ(vantelo::testing::LangMessage([&] { vl->ChangeLanguageByName("German"); }),
              "Cannot write the debug log " + DebugLog::Path().string() + ".");
    EXPECT_EQ(open->text(), "\u00d6ffnen");
    EXPECT_EQ(vl->CurrentLanguage().Name, "German");
    // Outside a change the failure comes at once.
    QString result;
    TStatusTranslate status = stNotFound;
    EXPECT_THROW(vl->TranslateText(nullptr, nullptr, "Unknown", status, result), EDebugLogError);
}

TEST_F(DebugModeTest, DialogComesAfterTheLogAndAddsTheTranslation) {
    start({"-VLDEBUG", "-vlDebugDlg"});
    DictionaryFiles files;
    QWidget window;
    window.setObjectName("frmMain");
    auto* help = new QPushButton("Help", &window);
    help->setObjectName("btnHelp");
    auto* vl = new TVantelo(&window);
    EXPECT_TRUE(vl->DebugDialog);
    vl->TranslateForm = false;
    vl->SetListComponents({"btnHelp"});
    vl->SetFileName(WriteStandardDictionary(files));

    std::string logWhenShown;
    QString title;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TfrmDebugWordVL*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "no debug word dialog";
            modal->close();
            return;
        }
        logWhenShown = log();
        title = dialog->windowTitle();
        EXPECT_EQ(dialog->Edit(1)->text(), "Hilfe");
        EXPECT_EQ(dialog->Edit(2)->text(), "");
        dialog->Edit(2)->setFocus();
        QTest::keyClicks(dialog->Edit(2), "Aide");
        EXPECT_TRUE(dialog->bbnOk()->isEnabled());
        dialog->bbnOk()->click();
    });
    vl->ChangeLanguageByName("French");
    EXPECT_EQ(title, "Debug:QPushButton(btnHelp).Caption");
    EXPECT_EQ(logWhenShown, block({"Eng>Help", "Ger>Hilfe", "Fre>Help", "-ParentObject:>frmMain",
                                   "-ClassObject:>QPushButton", "-PropertyName:>Caption",
                                   "-ObjectName:>btnHelp", "-Items:>Unknown"}));
    EXPECT_EQ(log(), logWhenShown + block({"Eng>Help", "Ger>Hilfe", "Fre>Aide",
                                           "-ParentObject:>frmMain", "-ClassObject:>QPushButton",
                                           "-PropertyName:>Caption", "-ObjectName:>btnHelp",
                                           "-Items:>Unknown"}));
    // The new line is the one the snapshot keeps.
    EXPECT_EQ(help->text(), "Aide");
}

TEST_F(DebugModeTest, IgnoreAllSparesLaterComponentsOnly) {
    start({"-VLDEBUGDLG"});
    DictionaryFiles files;
    const std::string path = WriteStandardDictionary(files);
    QWidget window;
    auto* label = new QLabel("Not there", &window);
    label->setObjectName("lblMissing");
    auto* first = new TVantelo(&window);
    first->SetListComponents({"lblMissing"});
    first->SetFileName(path);
    TVantelo existing;
    EXPECT_TRUE(existing.DebugDialog);

    OnNextModal([](QWidget* modal) {
        qobject_cast<TfrmDebugWordVL*>(modal)->bbnIgnoreAll()->click();
    });
    first->ChangeLanguageByName("German");
    EXPECT_FALSE(first->DebugDialog);
    EXPECT_TRUE(existing.DebugDialog);
    EXPECT_EQ(DebugDialogSwitch(), "-vldebugdlg");
    TVantelo later;
    EXPECT_FALSE(later.DebugDialog);
    // The answer was logged all the same.
    EXPECT_NE(log().find("Eng>Not there\r\n"), std::string::npos);
}

TEST_F(DebugModeTest, DialogShowsAtMostEightRowsAndWaitsForANewText) {
    TItemSession dictionary;
    for (int i = 0; i < 12; ++i) {
        auto language = std::make_unique<TLanguage>();
        language->Name = "L" + std::to_string(i);
        language->Title = "Language " + std::to_string(i);
        dictionary.AddLanguage(std::move(language));
    }
    TLanguageWord word(12, "Text");
    TfrmDebugWordVL twelve(dictionary.GetLanguages(), word, "Debug:");
    EXPECT_EQ(twelve.height(), 8 * 40 + 8 + twelve.bbnOk()->height());
    EXPECT_EQ(twelve.width(), 610);
    EXPECT_EQ(twelve.findChild<QLabel*>("lbl11")->text(), "Language 11");

    TItemSession small;
    for (const char* name : {"English", "German", "French"}) {
        auto language = std::make_unique<TLanguage>();
        language->Name = name;
        small.AddLanguage(std::move(language));
    }
    TfrmDebugWordVL three(small.GetLanguages(), {"Save", "Speichern", ""}, "Debug:");
    EXPECT_EQ(three.height(), 3 * 40 + 8 + three.bbnOk()->height());
    // Buttons centred as a group at the bottom.
    EXPECT_EQ(three.bbnOk()->x(), (610 - (3 * 77 + 8)) / 2);
    EXPECT_EQ(three.bbnIgnoreAll()->x(), three.bbnOk()->x() + 2 * 81);
    EXPECT_EQ(three.bbnOk()->y(), three.height() - 27 - 4);

    EXPECT_FALSE(three.bbnOk()->isEnabled());
    three.Edit(0)->setText("Save"); // unchanged
    EXPECT_FALSE(three.bbnOk()->isEnabled());
    three.Edit(0)->setText("");
    EXPECT_FALSE(three.bbnOk()->isEnabled());
    three.Edit(0)->setText("Save as");
    EXPECT_TRUE(three.bbnOk()->isEnabled());
    EXPECT_EQ(three.Word(), (TLanguageWord{"Save as", "Speichern", ""}));
}

} // namespace
