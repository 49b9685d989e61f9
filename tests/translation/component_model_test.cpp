// A window's components: its named objects in tree order, without the
// insides of nested windows and without Qt's own parts.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "translation/component_model.h"
#include "translation/radio_group_box.h"

using namespace vantelo;

namespace {

template <class T, class Parent> T* make(Parent* parent, const char* name) {
    auto* object = new T(parent);
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

std::vector<std::string> namesOf(const std::vector<QObject*>& objects) {
    std::vector<std::string> names;
    for (const QObject* object : objects)
        names.push_back(object->objectName().toStdString());
    return names;
}

// A main window as an application builds one: widgets inside an unnamed
// central widget and layouts, a group box, a scroll area, a menu with its
// actions, a dialog with widgets of its own, a file dialog and a timer.
class ComponentModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setObjectName("frmMain");
        auto* fileMenu = window.menuBar()->addMenu("&File");
        fileMenu->setObjectName("mmnFile");
        open = fileMenu->addAction("&Open");
        open->setObjectName("mmiOpen");
        make<QAction>(&window, "actQuit");

        auto* central = new QWidget(&window); // unnamed: entered, not listed
        window.setCentralWidget(central);
        auto* layout = new QVBoxLayout(central);
        layout->addWidget(make<QLabel>(central, "lblTitle"));
        auto* group = make<QGroupBox>(central, "gbxOptions");
        layout->addWidget(group);
        auto* inner = new QWidget(group);
        caseBox = make<QCheckBox>(inner, "cbxCase");
        make<RadioGroupBox>(group, "rgrScope")->SetItems({"All", "Selection"});

        auto* scroll = make<QScrollArea>(central, "scrFlags");
        auto* scrolled = make<QWidget>(static_cast<QWidget*>(nullptr), "pnlFlags");
        inside = make<QLabel>(scrolled, "lblFlag");
        scroll->setWidget(scrolled); // moves into Qt's viewport
        layout->addWidget(scroll);

        dialog = make<QDialog>(&window, "frmWord");
        dialogButton = make<QPushButton>(dialog, "bbnOK");
        make<QFileDialog>(&window, "dlgOpen");
        make<QTimer>(&window, "tmrBlink");
    }

    QMainWindow window;
    QAction* open = nullptr;
    QCheckBox* caseBox = nullptr;
    QLabel* inside = nullptr;
    QDialog* dialog = nullptr;
    QPushButton* dialogButton = nullptr;
};

TEST_F(ComponentModelTest, ComponentsAreTheNamedObjectsInTreeOrder) {
    EXPECT_EQ(namesOf(Components(&window)),
              (std::vector<std::string>{"mmnFile", "mmiOpen", "actQuit", "lblTitle", "gbxOptions",
                                        "cbxCase", "rgrScope", "scrFlags", "pnlFlags", "lblFlag",
                                        "frmWord", "dlgOpen", "tmrBlink"}));
    // A nested window lists its own.
    EXPECT_EQ(namesOf(Components(dialog)), std::vector<std::string>{"bbnOK"});
    EXPECT_TRUE(Components(nullptr).empty());
}

TEST_F(ComponentModelTest, OwnerAndLookUpAgreeWithTheWalk) {
    EXPECT_EQ(FindComponent(&window, "CBXCASE"), caseBox);
    EXPECT_EQ(FindComponent(&window, "mmiopen"), open);
    EXPECT_EQ(FindComponent(&window, "bbnOK"), nullptr); // belongs to the dialog
    EXPECT_EQ(FindComponent(dialog, "bbnok"), dialogButton);
    EXPECT_EQ(FindComponent(&window, ""), nullptr);
    EXPECT_EQ(FindComponent(&window, "frmMain"), nullptr); // not its own component

    // The owner is the window whose walk lists the object, however deep.
    EXPECT_EQ(ComponentOwner(caseBox), &window);
    EXPECT_EQ(ComponentOwner(inside), &window);
    EXPECT_EQ(ComponentOwner(open), &window); // the menu is a popup, not a window
    EXPECT_EQ(ComponentOwner(dialog), &window);
    EXPECT_EQ(ComponentOwner(dialogButton), dialog);
    EXPECT_EQ(ComponentOwner(&window), nullptr);
}

} // namespace
