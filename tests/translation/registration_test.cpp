// Which classes are translated with which properties: the insertion rule of
// registrations, the standard registrations and the shared state.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidgetAction>
#include <string>
#include <vector>

#include "translation/image_label.h"
#include "translation/radio_group_box.h"
#include "translation/reg_string_list.h"
#include "translation/shared_state.h"

using namespace vantelo;

namespace {

std::vector<std::string> names(const TRegStringList& list) {
    std::vector<std::string> result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list.Strings(i));
    return result;
}

// The name of the registration that applies to the object, or "-".
std::string registrationOf(const TRegStringList& list, const QObject* object) {
    const int index = list.FindRegistration(object);
    return index < 0 ? "-" : list.Strings(index);
}

// clang-format off
const std::vector<std::string> standardOrder = {
    "QMAINWINDOW", "QFILEDIALOG", "QDIALOG",
    "QACTION", "QMENU",
    "VANTELO::IMAGELABEL", "QLABEL",
    "QPLAINTEXTEDIT",
    "QCOMMANDLINKBUTTON", "QPUSHBUTTON",
    "QCHECKBOX", "QRADIOBUTTON",
    "QLISTWIDGET", "QCOMBOBOX",
    "VANTELO::RADIOGROUPBOX", "QGROUPBOX",
    "QTABLEWIDGET", "QTABLEVIEW", "QSCROLLAREA", "QFRAME",
    "QTOOLBUTTON",
    "QWIDGET",
};
// clang-format on

TEST(RegistrationTest, InsertionRuleKeepsEveryClassBeforeItsRegisteredAncestors) {
    TRegStringList list;
    EXPECT_EQ(list.RegisterTranslatedClass(QWidget::staticMetaObject, {"Hint"}), 0);
    // An ancestor registered: the class goes in front of it.
    EXPECT_EQ(list.RegisterTranslatedClass(QFrame::staticMetaObject, {"Caption"}), 0);
    // The nearest registered ancestor decides, not the farthest.
    EXPECT_EQ(list.RegisterTranslatedClass(QLabel::staticMetaObject, {"Caption", "Hint"}), 0);
    EXPECT_EQ(names(list), (std::vector<std::string>{"QLABEL", "QFRAME", "QWIDGET"}));

    // Only ancestors count: a class whose descendant is registered, and none
    // of whose ancestors is, is appended behind the descendant.
    TRegStringList buttons;
    buttons.RegisterTranslatedClass(QPushButton::staticMetaObject, {"Caption"});
    EXPECT_EQ(buttons.RegisterTranslatedClass(QAbstractButton::staticMetaObject, {"Hint"}), 1);
    QPushButton push;
    QCheckBox check;
    EXPECT_EQ(buttons.FindRegistration(&push), 0);
    EXPECT_EQ(buttons.FindRegistration(&check), 1);
    EXPECT_EQ(buttons.Objects(1).PropertyNames, std::vector<std::string>{"Hint"});
}

TEST(RegistrationTest, RegisteringAgainReplacesThePropertiesInPlace) {
    TRegStringList list;
    list.RegisterStandardClasses();
    QLabel label;
    const int before = list.FindRegistration(&label);
    const int count = list.Count();

    EXPECT_EQ(list.RegisterTranslatedClass(QLabel::staticMetaObject, {"Hint"}), before);
    EXPECT_EQ(list.Count(), count);
    EXPECT_EQ(list.FindRegistration(&label), before);
    EXPECT_EQ(list.Strings(before), "QLABEL");
    EXPECT_EQ(list.Objects(before).PropertyNames, std::vector<std::string>{"Hint"});
    EXPECT_EQ(list.Objects(before).ClassType, &QLabel::staticMetaObject);
    EXPECT_EQ(names(list), standardOrder);
}

TEST(RegistrationTest, StandardRegistrationsFollowTheInsertionRule) {
    TRegStringList list;
    list.RegisterStandardClasses();
    EXPECT_EQ(names(list), standardOrder);

    // Whatever the order came from, a registration never stands behind one of
    // its ancestors, or the ancestor would shadow it.
    for (int i = 0; i < list.Count(); ++i)
        for (int j = i + 1; j < list.Count(); ++j)
            EXPECT_FALSE(list.Objects(j).ClassType->inherits(list.Objects(i).ClassType))
                << list.Strings(j) << " stands behind its ancestor " << list.Strings(i);

    // Name look-up ignores letter case; names keep their namespace.
    EXPECT_EQ(list.IndexOf("qLabel"), list.IndexOf("QLABEL"));
    EXPECT_GE(list.IndexOf("Vantelo::RadioGroupBox"), 0);
    EXPECT_EQ(list.IndexOf("RadioGroupBox"), -1);
}

TEST(RegistrationTest, FindRegistrationPicksTheNearestRegisteredClass) {
    TRegStringList list;
    list.RegisterStandardClasses();

    QMainWindow window;
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    QMessageBox message(&window);
    QFileDialog fileDialog(&window);
    auto* menu = new QMenu(&window);
    auto* bar = new QMenuBar(&window);
    auto* action = new QAction(&window);
    auto* widgetAction = new QWidgetAction(&window);
    auto* label = new QLabel(central);
    auto* image = new ImageLabel(central);
    auto* memo = new QPlainTextEdit(central);
    auto* rich = new QTextEdit(central);
    auto* push = new QPushButton(central);
    auto* link = new QCommandLinkButton(central);
    auto* tool = new QToolButton(central);
    auto* check = new QCheckBox(central);
    auto* radio = new QRadioButton(central);
    auto* listWidget = new QListWidget(central);
    auto* tree = new QTreeWidget(central);
    auto* combo = new QComboBox(central);
    auto* radioGroup = new RadioGroupBox(central);
    auto* groupBox = new QGroupBox(central);
    auto* frame = new QFrame(central);
    auto* table = new QTableWidget(central);
    auto* view = new QTableView(central);
    auto* scroll = new QScrollArea(central);
    auto* spin = new QSpinBox(central);

    const std::vector<std::pair<const QObject*, std::string>> expected = {
        {&window, "QMAINWINDOW"},
        {&message, "QDIALOG"},
        {&fileDialog, "QFILEDIALOG"},
        {menu, "QMENU"},
        {bar, "QWIDGET"},
        {action, "QACTION"},
        {widgetAction, "QACTION"},
        {label, "QLABEL"},
        {image, "VANTELO::IMAGELABEL"},
        {memo, "QPLAINTEXTEDIT"},
        {rich, "QFRAME"},
        {push, "QPUSHBUTTON"},
        {link, "QCOMMANDLINKBUTTON"},
        {tool, "QTOOLBUTTON"},
        {check, "QCHECKBOX"},
        {radio, "QRADIOBUTTON"},
        {listWidget, "QLISTWIDGET"},
        {tree, "QFRAME"},
        {combo, "QCOMBOBOX"},
        {radioGroup, "VANTELO::RADIOGROUPBOX"},
        {groupBox, "QGROUPBOX"},
        {frame, "QFRAME"},
        {table, "QTABLEWIDGET"},
        {view, "QTABLEVIEW"},
        {scroll, "QSCROLLAREA"},
        {spin, "QWIDGET"},
        {central, "QWIDGET"},
    };
    for (const auto& [object, name] : expected)
        EXPECT_EQ(registrationOf(list, object), name) << object->metaObject()->className();
}

TEST(RegistrationTest, ObjectsThatAreNeitherWidgetsNorActionsAreNeverTranslated) {
    TRegStringList empty;
    QLabel label;
    EXPECT_EQ(empty.FindRegistration(&label), -1);

    TRegStringList list;
    list.RegisterStandardClasses();
    QTimer timer;
    QButtonGroup buttonGroup;
    QActionGroup actionGroup(nullptr);
    EXPECT_EQ(list.FindRegistration(&timer), -1);
    EXPECT_EQ(list.FindRegistration(&buttonGroup), -1);
    EXPECT_EQ(list.FindRegistration(&actionGroup), -1);
    EXPECT_EQ(list.FindRegistration(nullptr), -1);
}

TEST(RegistrationTest, TabWidgetWithPagesGoesJustBeforeTheBaseWidget) {
    TRegStringList list;
    list.RegisterStandardClasses();
    QTabWidget tabs;
    const int base = list.IndexOf("QWIDGET");
    ASSERT_EQ(list.FindRegistration(&tabs), base); // its Hint is translated as any widget's

    const int at = list.RegisterTranslatedClass(QTabWidget::staticMetaObject, {"Pages"});
    EXPECT_EQ(at, base);
    EXPECT_EQ(list.Strings(list.Count() - 2), "QTABWIDGET");
    EXPECT_EQ(list.Strings(list.Count() - 1), "QWIDGET");
    // Its own registration applies now, and it names no Hint.
    EXPECT_EQ(list.FindRegistration(&tabs), at);
    EXPECT_EQ(list.Objects(at).PropertyNames, std::vector<std::string>{"Pages"});
    // The tab bar inside is still a plain widget.
    EXPECT_EQ(registrationOf(list, tabs.findChild<QTabBar*>()), "QWIDGET");
}

TEST(RegistrationTest, SharedStateStartsWithTheStandardRegistrations) {
    EXPECT_EQ(DebugDialogSwitch(), "-VLDEBUGDLG");
    EXPECT_EQ(names(Registrations()), standardOrder);
    QCheckBox check;
    EXPECT_EQ(FindRegistration(&check), Registrations().IndexOf("QCHECKBOX"));
}

} // namespace
