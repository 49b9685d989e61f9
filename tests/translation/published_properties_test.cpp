// The translatable properties on real widgets: who publishes what, and that
// each value written reads back as written and lands in the Qt accessor
// users see.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QDialog>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <string>
#include <vector>

#include "translation/image_label.h"
#include "translation/published_properties.h"
#include "translation/radio_group_box.h"

using namespace vantelo;

namespace {

using Names = std::vector<std::string>;

QString readString(const QObject* object, const char* name) {
    return ReadString(object, name).value_or(QStringLiteral("<not published>"));
}

QStringList readStrings(const QObject* object, const char* name) {
    return ReadStrings(object, name).value_or(QStringList{QStringLiteral("<not published>")});
}

TEST(PublishedPropertiesTest, EachClassPublishesWhatItShows) {
    QMainWindow window;
    QDialog dialog;
    QFrame topLevelFrame;
    auto* frame = new QFrame(&window);
    auto* label = new QLabel(&window);
    auto* image = new ImageLabel(&window);
    auto* memo = new QPlainTextEdit(&window);
    auto* combo = new QComboBox(&window);
    auto* list = new QListWidget(&window);
    auto* radioGroup = new RadioGroupBox(&window);
    auto* tabs = new QTabWidget(&window);
    auto* table = new QTableWidget(&window);
    auto* action = new QAction(&window);
    auto* menu = new QMenu(&window);
    auto* fileDialog = new QFileDialog(&window);
    QTimer timer;

    EXPECT_EQ(PublishedProperties(&window), (Names{"Caption", "Hint"}));
    EXPECT_EQ(PublishedProperties(&dialog), (Names{"Caption", "Hint"}));
    EXPECT_EQ(PublishedProperties(&topLevelFrame), (Names{"Caption", "Hint"}));
    EXPECT_EQ(PublishedProperties(frame), Names{"Hint"});
    EXPECT_EQ(PublishedProperties(label), (Names{"Caption", "Hint"}));
    EXPECT_EQ(PublishedProperties(image), Names{"Hint"});
    EXPECT_EQ(PublishedProperties(memo), (Names{"Hint", "Lines"}));
    EXPECT_EQ(PublishedProperties(combo), (Names{"Hint", "Items"}));
    EXPECT_EQ(PublishedProperties(list), (Names{"Hint", "Items"}));
    EXPECT_EQ(PublishedProperties(radioGroup), (Names{"Caption", "Hint", "Items"}));
    EXPECT_EQ(PublishedProperties(tabs), (Names{"Hint", "Pages"}));
    EXPECT_EQ(PublishedProperties(table), Names{"Hint"});
    EXPECT_EQ(PublishedProperties(action), (Names{"Caption", "Hint"}));
    EXPECT_EQ(PublishedProperties(menu), (Names{"Caption", "Hint"}));
    EXPECT_EQ(PublishedProperties(fileDialog), (Names{"Title", "Filter"}));
    EXPECT_TRUE(PublishedProperties(&timer).empty());
    EXPECT_TRUE(PublishedProperties(nullptr).empty());

    // Names ignore letter case; a property is read and written only as its kind.
    EXPECT_EQ(KindOf(list, "ITEMS"), PropertyKind::StringList);
    EXPECT_EQ(KindOf(label, "caption"), PropertyKind::String);
    EXPECT_EQ(KindOf(combo, "Caption"), PropertyKind::None);
    EXPECT_FALSE(HasProperty(label, "Text"));
    EXPECT_FALSE(ReadStrings(label, "Caption").has_value());
    EXPECT_FALSE(ReadString(list, "Items").has_value());
    EXPECT_FALSE(WriteString(combo, "Caption", "x"));
    EXPECT_FALSE(WriteStrings(label, "Items", {"x"}));
    EXPECT_FALSE(WriteString(fileDialog, "Hint", "x"));
}

TEST(PublishedPropertiesTest, CaptionIsTheTextEachWidgetShows) {
    QMainWindow window;
    auto* label = new QLabel(&window);
    auto* button = new QPushButton(&window);
    auto* link = new QCommandLinkButton(&window);
    auto* check = new QCheckBox(&window);
    auto* group = new QGroupBox(&window);
    auto* menu = new QMenu(&window);
    auto* action = new QAction(&window);

    EXPECT_TRUE(WriteString(&window, "Caption", "Vantelo Editor"));
    EXPECT_TRUE(WriteString(label, "Caption", "&Name:"));
    EXPECT_TRUE(WriteString(button, "Caption", "&OK"));
    EXPECT_TRUE(WriteString(link, "Caption", "Open"));
    EXPECT_TRUE(WriteString(check, "Caption", "Match case"));
    EXPECT_TRUE(WriteString(group, "Caption", "Options"));
    EXPECT_TRUE(WriteString(menu, "Caption", "&File"));
    EXPECT_TRUE(WriteString(action, "Caption", "&Save"));

    EXPECT_EQ(window.windowTitle(), "Vantelo Editor");
    EXPECT_EQ(label->text(), "&Name:");
    EXPECT_EQ(button->text(), "&OK");
    EXPECT_EQ(link->text(), "Open");
    EXPECT_EQ(check->text(), "Match case");
    EXPECT_EQ(group->title(), "Options");
    EXPECT_EQ(menu->title(), "&File");
    EXPECT_EQ(menu->menuAction()->text(), "&File");
    EXPECT_EQ(action->text(), "&Save");
    EXPECT_EQ(readString(menu, "Caption"), "&File");
    EXPECT_EQ(readString(&window, "Caption"), "Vantelo Editor");
}

TEST(PublishedPropertiesTest, WritingTheSameValueTouchesNothing) {
    QLabel picture;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    picture.setPixmap(pixmap);
    // An untranslated text is written back as it was; a label would drop its
    // picture on any setText.
    EXPECT_TRUE(WriteString(&picture, "Caption", ""));
    EXPECT_FALSE(picture.pixmap().isNull());

    QComboBox combo;
    combo.addItems({"One", "Two"});
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);
    EXPECT_TRUE(WriteStrings(&combo, "Items", {"One", "Two"}));
    EXPECT_EQ(changed.count(), 0);
}

TEST(PublishedPropertiesTest, HintIsToolTipAndStatusTip) {
    QPushButton button;
    EXPECT_TRUE(WriteString(&button, "Hint", "Save|Saves the dictionary"));
    EXPECT_EQ(button.toolTip(), "Save");
    EXPECT_EQ(button.statusTip(), "Saves the dictionary");
    EXPECT_EQ(readString(&button, "Hint"), "Save|Saves the dictionary");

    // Without a bar the hint is both tips.
    EXPECT_TRUE(WriteString(&button, "Hint", "Speichern"));
    EXPECT_EQ(button.toolTip(), "Speichern");
    EXPECT_EQ(button.statusTip(), "Speichern");
    EXPECT_EQ(readString(&button, "Hint"), "Speichern");

    // A widget that has no status tip does not get one.
    QLabel label;
    label.setToolTip("Name");
    EXPECT_EQ(readString(&label, "Hint"), "Name");
    EXPECT_TRUE(WriteString(&label, "Hint", "Nom"));
    EXPECT_EQ(label.toolTip(), "Nom");
    EXPECT_TRUE(label.statusTip().isEmpty());

    // Only a long hint.
    EXPECT_TRUE(WriteString(&label, "Hint", "|The name of the column"));
    EXPECT_TRUE(label.toolTip().isEmpty());
    EXPECT_EQ(label.statusTip(), "The name of the column");
    EXPECT_EQ(readString(&label, "Hint"), "|The name of the column");
}

TEST(PublishedPropertiesTest, HintOfMenuEntriesIgnoresTheToolTipQtDerivesFromTheText) {
    QMenu menu;
    QAction* open = menu.addAction("&Open...");
    // Qt shows "Open" as the tool tip; that is the caption, not a hint.
    EXPECT_EQ(open->toolTip(), "Open");
    EXPECT_EQ(readString(open, "Hint"), "");
    // With a long hint the tool tip Qt shows is the short one.
    open->setStatusTip("Opens a dictionary");
    EXPECT_EQ(readString(open, "Hint"), "Open|Opens a dictionary");

    EXPECT_TRUE(WriteString(open, "Hint", "Ouvrir|Ouvre un dictionnaire"));
    EXPECT_EQ(open->toolTip(), "Ouvrir");
    EXPECT_EQ(open->statusTip(), "Ouvre un dictionnaire");
    EXPECT_EQ(readString(open, "Hint"), "Ouvrir|Ouvre un dictionnaire");
    // A short hint written that reads like the caption stays a hint.
    open->setText("&Ouvrir...");
    EXPECT_TRUE(WriteString(open, "Hint", "Ouvrir"));
    EXPECT_EQ(readString(open, "Hint"), "Ouvrir");

    // A menu's hint is the hint of the entry that opens it.
    QMenu sub("&Recent");
    EXPECT_EQ(readString(&sub, "Hint"), "");
    EXPECT_TRUE(WriteString(&sub, "Hint", "Recent|Files opened lately"));
    EXPECT_EQ(sub.menuAction()->statusTip(), "Files opened lately");
    EXPECT_EQ(readString(&sub, "Hint"), "Recent|Files opened lately");
}

TEST(PublishedPropertiesTest, FileDialogFilterTravelsInBothForms) {
    EXPECT_EQ(NameFiltersFromFilter("Language files (*.lgf)|*.lgf|All files (*.*)|*.*"),
              (QStringList{"Language files (*.lgf)", "All files (*.*)"}));
    EXPECT_EQ(NameFiltersFromFilter("Pictures|*.bmp;*.ico"), QStringList{"Pictures (*.bmp *.ico)"});
    EXPECT_EQ(NameFiltersFromFilter("Pictures (*.bmp;*.ico)|*.bmp;*.ico"),
              QStringList{"Pictures (*.bmp *.ico)"});
    EXPECT_EQ(NameFiltersFromFilter("Pictures (bitmaps)|*.bmp"),
              QStringList{"Pictures (bitmaps) (*.bmp)"});
    EXPECT_EQ(NameFiltersFromFilter("*.txt|*.txt"), QStringList{"*.txt"});
    EXPECT_EQ(NameFiltersFromFilter("Text|*.txt|Dangling"), QStringList{"Text (*.txt)"});
    EXPECT_TRUE(NameFiltersFromFilter("").isEmpty());
    EXPECT_EQ(FilterFromNameFilters({"Text files (*.txt)", "*.c *.h"}),
              "Text files (*.txt)|*.txt|*.c *.h|*.c;*.h");

    QFileDialog dialog;
    dialog.setWindowTitle("Open dictionary");
    dialog.setNameFilters({"Language files (*.lgf)", "All files (*)"});
    dialog.selectNameFilter("All files (*)");
    EXPECT_EQ(readString(&dialog, "Title"), "Open dictionary");
    EXPECT_EQ(readString(&dialog, "Filter"), "Language files (*.lgf)|*.lgf|All files (*)|*");

    // A translation in the dictionaries' own form reads back exactly, and
    // the user's choice of filter stays where it was.
    EXPECT_TRUE(WriteString(&dialog, "Title", "Wörterbuch öffnen"));
    EXPECT_TRUE(WriteString(&dialog, "Filter", "Sprachdateien|*.lgf|Alle Dateien|*"));
    EXPECT_EQ(dialog.windowTitle(), "Wörterbuch öffnen");
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"Sprachdateien (*.lgf)", "Alle Dateien (*)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), "Alle Dateien (*)");
    EXPECT_EQ(readString(&dialog, "Filter"), "Sprachdateien|*.lgf|Alle Dateien|*");

    // Filters the application sets afterwards win over the remembered text.
    dialog.setNameFilters({"Text files (*.txt)"});
    EXPECT_EQ(readString(&dialog, "Filter"), "Text files (*.txt)|*.txt");
}

TEST(PublishedPropertiesTest, ListItemsAreRenamedInPlace) {
    QListWidget list;
    list.addItems({"English", "German", "French"});
    list.item(1)->setCheckState(Qt::Checked);
    list.setCurrentRow(2);

    EXPECT_TRUE(WriteStrings(&list, "Items", {"Englisch", "Deutsch", "Französisch"}));
    EXPECT_EQ(readStrings(&list, "Items"), (QStringList{"Englisch", "Deutsch", "Französisch"}));
    EXPECT_EQ(list.item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(list.currentRow(), 2);

    EXPECT_TRUE(WriteStrings(&list, "Items", {"A", "B"}));
    EXPECT_EQ(readStrings(&list, "Items"), (QStringList{"A", "B"}));
    EXPECT_EQ(list.item(1)->checkState(), Qt::Checked);
    EXPECT_TRUE(WriteStrings(&list, "Items", {"A", "B", "C", "D"}));
    EXPECT_EQ(readStrings(&list, "Items"), (QStringList{"A", "B", "C", "D"}));

    QComboBox combo;
    combo.addItem("Ascending", 1);
    combo.addItem("Descending", 2);
    combo.setCurrentIndex(1);
    EXPECT_TRUE(WriteStrings(&combo, "Items", {"Aufsteigend", "Absteigend"}));
    EXPECT_EQ(readStrings(&combo, "Items"), (QStringList{"Aufsteigend", "Absteigend"}));
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(combo.itemData(1).toInt(), 2);
    EXPECT_TRUE(WriteStrings(&combo, "Items", {"Nur"}));
    EXPECT_EQ(readStrings(&combo, "Items"), QStringList{"Nur"});
}

TEST(PublishedPropertiesTest, LinesPagesAndRadioGroupItems) {
    QPlainTextEdit memo;
    EXPECT_TRUE(readStrings(&memo, "Lines").isEmpty());
    memo.setPlainText("first\n\nthird");
    EXPECT_EQ(readStrings(&memo, "Lines"), (QStringList{"first", "", "third"}));
    EXPECT_TRUE(WriteStrings(&memo, "Lines", {"erste", "", "dritte", ""}));
    EXPECT_EQ(memo.toPlainText(), "erste\n\ndritte\n");
    EXPECT_EQ(readStrings(&memo, "Lines"), (QStringList{"erste", "", "dritte", ""}));

    QTabWidget tabs;
    tabs.addTab(new QWidget, "General");
    tabs.addTab(new QWidget, "Export");
    EXPECT_EQ(readStrings(&tabs, "Pages"), (QStringList{"General", "Export"}));
    // Pages are not made or removed by their texts.
    EXPECT_FALSE(WriteStrings(&tabs, "Pages", {"Allgemein"}));
    EXPECT_EQ(readStrings(&tabs, "Pages"), (QStringList{"General", "Export"}));
    EXPECT_TRUE(WriteStrings(&tabs, "Pages", {"Allgemein", "Export"}));
    EXPECT_EQ(tabs.tabText(0), "Allgemein");

    RadioGroupBox scope("Scope");
    scope.SetItems({"All lines", "Shown lines"});
    scope.SetItemIndex(1);
    EXPECT_TRUE(WriteString(&scope, "Caption", "Bereich"));
    EXPECT_TRUE(WriteStrings(&scope, "Items", {"Alle Zeilen", "Angezeigte Zeilen"}));
    EXPECT_EQ(scope.title(), "Bereich");
    EXPECT_EQ(readStrings(&scope, "Items"), (QStringList{"Alle Zeilen", "Angezeigte Zeilen"}));
    EXPECT_EQ(scope.ItemIndex(), 1);
}

} // namespace
