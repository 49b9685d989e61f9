#include "translation/reg_string_list.h"

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
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QWidget>
#include <stdexcept>

#include "dictionary/text_case.h"
#include "translation/component_model.h"
#include "translation/image_label.h"
#include "translation/radio_group_box.h"

namespace vantelo {

int TRegStringList::RegisterTranslatedClass(const QMetaObject& classType,
                                            std::vector<std::string> propertyNames) {
    auto registration = std::make_unique<TRegObj>();
    registration->ClassType = &classType;
    registration->PropertyNames = std::move(propertyNames);

    const auto chain = ClassChain(classType);
    for (size_t level = 0; level < chain.size(); ++level) {
        const int index = IndexOf(chain[level]);
        if (index < 0)
            continue;
        if (level == 0)
            entries_[size_t(index)].registration = std::move(registration);
        else
            entries_.insert(entries_.begin() + index,
                            {UpperCase(chain.front()), std::move(registration)});
        return index;
    }
    entries_.push_back({UpperCase(chain.front()), std::move(registration)});
    return Count() - 1;
}

int TRegStringList::FindRegistration(const QObject* object) const {
    if (!object)
        return -1;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (IsKindOf(object, *entries_[i].registration->ClassType))
            return int(i);
    return -1;
}

void TRegStringList::RegisterStandardClasses() {
    struct Standard {
        const QMetaObject* classType;
        std::vector<std::string> propertyNames;
    };
    // In the order of registration. Several rows may stand for one kind of
    // control where Qt has more than one class for it (windows, menu
    // entries); the insertion rule sorts out where each row ends up.
    const Standard standard[] = {
        // Windows: main windows and dialogs (any other widget shown as a
        // window is served by the QWidget row at the end).
        {&QMainWindow::staticMetaObject, {"Caption", "Hint"}},
        {&QDialog::staticMetaObject, {"Caption", "Hint"}},
        // Menu entries: actions, and the menus that open from an entry.
        {&QAction::staticMetaObject, {"Caption", "Hint"}},
        {&QMenu::staticMetaObject, {"Caption", "Hint"}},
        {&QLabel::staticMetaObject, {"Caption", "Hint"}},
        {&QPlainTextEdit::staticMetaObject, {"Hint", "Lines"}},
        {&QPushButton::staticMetaObject, {"Caption", "Hint"}},
        {&QCheckBox::staticMetaObject, {"Caption", "Hint"}},
        {&QRadioButton::staticMetaObject, {"Caption", "Hint"}},
        {&QListWidget::staticMetaObject, {"Items", "Hint"}},
        {&QComboBox::staticMetaObject, {"Caption", "Hint", "Items"}},
        {&QGroupBox::staticMetaObject, {"Caption", "Hint"}},
        {&RadioGroupBox::staticMetaObject, {"Caption", "Hint", "Items"}},
        // Panels.
        {&QFrame::staticMetaObject, {"Caption", "Hint"}},
        // The push button that shows a picture beside its text.
        {&QCommandLinkButton::staticMetaObject, {"Caption", "Hint"}},
        {&QToolButton::staticMetaObject, {"Caption", "Hint"}},
        // Grids: the one holding its own texts, and the one showing a model.
        {&QTableWidget::staticMetaObject, {"Hint"}},
        {&QTableView::staticMetaObject, {"Hint"}},
        {&ImageLabel::staticMetaObject, {"Hint"}},
        {&QScrollArea::staticMetaObject, {"Hint"}},
        // Save and open dialogs are one class in Qt.
        {&QFileDialog::staticMetaObject, {"Hint", "Title", "Filter"}},
        // Every other widget.
        {&QWidget::staticMetaObject, {"Caption", "Hint"}},
    };
    for (const auto& s : standard)
        RegisterTranslatedClass(*s.classType, s.propertyNames);
}

int TRegStringList::IndexOf(std::string_view className) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (SameText(entries_[i].name, className))
            return int(i);
    return -1;
}

const TRegStringList::Entry& TRegStringList::entry(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("registration index out of range");
    return entries_[size_t(index)];
}

} // namespace vantelo
