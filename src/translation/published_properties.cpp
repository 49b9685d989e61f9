#include "translation/published_properties.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVariant>
#include <algorithm>
#include <memory>

#include "dictionary/text_case.h"
#include "translation/component_model.h"
#include "translation/image_label.h"
#include "translation/radio_group_box.h"

namespace vantelo {

namespace {

enum class Property { Caption, Hint, Lines, Items, Title, Filter, Pages };

struct PropertyInfo {
    Property property;
    const char* name;
    PropertyKind kind;
};

// In the order PublishedProperties lists them.
constexpr PropertyInfo properties[] = {
    {Property::Caption, "Caption", PropertyKind::String},
    {Property::Hint, "Hint", PropertyKind::String},
    {Property::Lines, "Lines", PropertyKind::StringList},
    {Property::Items, "Items", PropertyKind::StringList},
    {Property::Title, "Title", PropertyKind::String},
    {Property::Filter, "Filter", PropertyKind::String},
    {Property::Pages, "Pages", PropertyKind::StringList},
};

const PropertyInfo* propertyNamed(std::string_view name) {
    for (const auto& info : properties)
        if (SameText(info.name, name))
            return &info;
    return nullptr;
}

// The dialog keeps the filter text last written in the dictionaries' form,
// so that reading gives back exactly that text while the name filters are
// still the ones it made.
constexpr char filterTextProperty[] = "vanteloFilterText";

// ---- Caption ---------------------------------------------------------------

enum class CaptionOf { None, WindowTitle, Text, GroupTitle, MenuTitle, ActionText };

CaptionOf captionOf(const QObject* object) {
    if (!object || qobject_cast<const QFileDialog*>(object))
        return CaptionOf::None; // a file dialog's caption is its Title
    if (qobject_cast<const QAction*>(object))
        return CaptionOf::ActionText;
    if (qobject_cast<const ImageLabel*>(object))
        return IsOwnWindow(object) ? CaptionOf::WindowTitle : CaptionOf::None;
    if (qobject_cast<const QLabel*>(object) || qobject_cast<const QAbstractButton*>(object))
        return CaptionOf::Text;
    if (qobject_cast<const QGroupBox*>(object))
        return CaptionOf::GroupTitle;
    if (qobject_cast<const QMenu*>(object))
        return CaptionOf::MenuTitle;
    if (qobject_cast<const QMainWindow*>(object) || qobject_cast<const QDialog*>(object) ||
        qobject_cast<const QDockWidget*>(object) || IsOwnWindow(object))
        return CaptionOf::WindowTitle;
    return CaptionOf::None;
}

QString readCaption(const QObject* object, CaptionOf of) {
    switch (of) {
    case CaptionOf::WindowTitle:
        return static_cast<const QWidget*>(object)->windowTitle();
    case CaptionOf::Text:
        if (const auto* label = qobject_cast<const QLabel*>(object))
            return label->text();
        return static_cast<const QAbstractButton*>(object)->text();
    case CaptionOf::GroupTitle:
        return static_cast<const QGroupBox*>(object)->title();
    case CaptionOf::MenuTitle:
        return static_cast<const QMenu*>(object)->title();
    case CaptionOf::ActionText:
        return static_cast<const QAction*>(object)->text();
    case CaptionOf::None:
        break;
    }
    return {};
}

void writeCaption(QObject* object, CaptionOf of, const QString& value) {
    switch (of) {
    case CaptionOf::WindowTitle:
        static_cast<QWidget*>(object)->setWindowTitle(value);
        break;
    case CaptionOf::Text:
        if (auto* label = qobject_cast<QLabel*>(object))
            label->setText(value);
        else
            static_cast<QAbstractButton*>(object)->setText(value);
        break;
    case CaptionOf::GroupTitle:
        static_cast<QGroupBox*>(object)->setTitle(value);
        break;
    case CaptionOf::MenuTitle:
        static_cast<QMenu*>(object)->setTitle(value);
        break;
    case CaptionOf::ActionText:
        static_cast<QAction*>(object)->setText(value);
        break;
    case CaptionOf::None:
        break;
    }
}

// ---- Hint ------------------------------------------------------------------
//
// "short|long": the short hint is the tool tip, the long one the status tip.
// A hint without "|" is both; a widget without a status tip keeps none, as
// an empty status tip reads as "the same as the tool tip". An action's tool
// tip is read as Qt shows it, which for an action without one of its own is
// its text without "&" and "...".

// The action behind a menu entry: an action, or the entry that opens a menu.
QAction* hintAction(QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object))
        return action;
    if (auto* menu = qobject_cast<QMenu*>(object))
        return menu->menuAction();
    return nullptr;
}

bool publishesHint(const QObject* object) {
    return object && !qobject_cast<const QFileDialog*>(object) &&
           (object->isWidgetType() || qobject_cast<const QAction*>(object));
}

QString joinHint(const QString& shortHint, const QString& longHint) {
    if (longHint.isEmpty() || longHint == shortHint)
        return shortHint;
    return shortHint + u'|' + longHint;
}

// An action without a tool tip of its own shows its text, as Qt trims it,
// as the tool tip. Without a status tip beside it that is no hint at all,
// only the caption again: it reads as none, unless a hint written here
// happens to read like the caption.
constexpr char ownToolTipProperty[] = "vanteloOwnToolTip";

QString ownToolTip(const QAction* action) {
    const QString toolTip = action->toolTip();
    if (!action->statusTip().isEmpty() || action->property(ownToolTipProperty).toBool())
        return toolTip;
    const QAction plain(action->text());
    return toolTip == plain.toolTip() ? QString() : toolTip;
}

QString readHint(const QObject* object) {
    if (const QAction* action = hintAction(const_cast<QObject*>(object)))
        return joinHint(ownToolTip(action), action->statusTip());
    const auto* widget = static_cast<const QWidget*>(object);
    return joinHint(widget->toolTip(), widget->statusTip());
}

void writeHint(QObject* object, const QString& value) {
    const qsizetype bar = value.indexOf(u'|');
    const QString shortHint = bar < 0 ? value : value.left(bar);
    const auto longHint = [&](const QString& statusTip) {
        if (bar >= 0)
            return value.mid(bar + 1);
        return statusTip.isEmpty() ? QString() : value;
    };
    if (QAction* action = hintAction(object)) {
        action->setStatusTip(longHint(action->statusTip()));
        action->setToolTip(shortHint);
        action->setProperty(ownToolTipProperty, !shortHint.isEmpty());
        return;
    }
    auto* widget = static_cast<QWidget*>(object);
    widget->setStatusTip(longHint(widget->statusTip()));
    widget->setToolTip(shortHint);
}

// ---- Filter ----------------------------------------------------------------

QStringList splitPatterns(const QString& patterns) {
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    return patterns.split(separators, Qt::SkipEmptyParts);
}

// Qt's reading of a name filter: the patterns in the parentheses that end
// it, or the whole filter when it has none.
const QRegularExpression& nameFilterPattern() {
    static const QRegularExpression pattern(QStringLiteral("^(.*)\\(([^()]*)\\)\\s*$"));
    return pattern;
}

QString readFilter(const QFileDialog* dialog) {
    const QStringList current = dialog->nameFilters();
    const QVariant written = dialog->property(filterTextProperty);
    if (written.isValid() && NameFiltersFromFilter(written.toString()) == current)
        return written.toString();
    return FilterFromNameFilters(current);
}

void writeFilter(QFileDialog* dialog, const QString& value) {
    // Keep the user's choice of filter by its position.
    const QStringList before = dialog->nameFilters();
    const qsizetype selected = before.indexOf(dialog->selectedNameFilter());
    const QStringList after = NameFiltersFromFilter(value);
    dialog->setNameFilters(after);
    if (selected >= 0 && selected < after.size())
        dialog->selectNameFilter(after[selected]);
    dialog->setProperty(filterTextProperty, value);
}

// ---- string lists ------------------------------------------------------------

QStringList readLines(const QPlainTextEdit* edit) {
    const QString text = edit->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QStringList listItems(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

QStringList comboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

QStringList tabTexts(const QTabWidget* tabs) {
    QStringList pages;
    for (int i = 0; i < tabs->count(); ++i)
        pages.append(tabs->tabText(i));
    return pages;
}

// Items are renamed in place, so that their data, check marks and the
// current item survive; surplus items go from the end, new ones are appended.
void writeListItems(QListWidget* list, const QStringList& items) {
    const int kept = std::min(list->count(), int(items.size()));
    for (int i = 0; i < kept; ++i)
        if (list->item(i)->text() != items[i])
            list->item(i)->setText(items[i]);
    while (list->count() > int(items.size()))
        std::unique_ptr<QListWidgetItem> gone(list->takeItem(list->count() - 1));
    for (qsizetype i = kept; i < items.size(); ++i)
        list->addItem(items[i]);
}

void writeComboItems(QComboBox* combo, const QStringList& items) {
    const int kept = std::min(combo->count(), int(items.size()));
    for (int i = 0; i < kept; ++i)
        if (combo->itemText(i) != items[i])
            combo->setItemText(i, items[i]);
    while (combo->count() > int(items.size()))
        combo->removeItem(combo->count() - 1);
    for (qsizetype i = kept; i < items.size(); ++i)
        combo->addItem(items[i]);
}

// ---- who publishes what --------------------------------------------------------

bool publishes(const QObject* object, Property property) {
    if (!object)
        return false;
    switch (property) {
    case Property::Caption:
        return captionOf(object) != CaptionOf::None;
    case Property::Hint:
        return publishesHint(object);
    case Property::Lines:
        return qobject_cast<const QPlainTextEdit*>(object) != nullptr;
    case Property::Items:
        return qobject_cast<const QListWidget*>(object) || qobject_cast<const QComboBox*>(object) ||
               qobject_cast<const RadioGroupBox*>(object);
    case Property::Title:
    case Property::Filter:
        return qobject_cast<const QFileDialog*>(object) != nullptr;
    case Property::Pages:
        return qobject_cast<const QTabWidget*>(object) != nullptr;
    }
    return false;
}

const PropertyInfo* published(const QObject* object, std::string_view name, PropertyKind kind) {
    const PropertyInfo* info = propertyNamed(name);
    return info && info->kind == kind && publishes(object, info->property) ? info : nullptr;
}

} // namespace

std::vector<std::string> PublishedProperties(const QObject* object) {
    std::vector<std::string> names;
    for (const auto& info : properties)
        if (publishes(object, info.property))
            names.emplace_back(info.name);
    return names;
}

PropertyKind KindOf(const QObject* object, std::string_view name) {
    const PropertyInfo* info = propertyNamed(name);
    return info && publishes(object, info->property) ? info->kind : PropertyKind::None;
}

std::optional<QString> ReadString(const QObject* object, std::string_view name) {
    const PropertyInfo* info = published(object, name, PropertyKind::String);
    if (!info)
        return std::nullopt;
    switch (info->property) {
    case Property::Caption:
        return readCaption(object, captionOf(object));
    case Property::Hint:
        return readHint(object);
    case Property::Title:
        return static_cast<const QFileDialog*>(object)->windowTitle();
    case Property::Filter:
        return readFilter(static_cast<const QFileDialog*>(object));
    default:
        return std::nullopt;
    }
}

bool WriteString(QObject* object, std::string_view name, const QString& value) {
    const auto current = ReadString(object, name);
    if (!current)
        return false;
    if (*current == value)
        return true;
    switch (propertyNamed(name)->property) {
    case Property::Caption:
        writeCaption(object, captionOf(object), value);
        break;
    case Property::Hint:
        writeHint(object, value);
        break;
    case Property::Title:
        static_cast<QFileDialog*>(object)->setWindowTitle(value);
        break;
    case Property::Filter:
        writeFilter(static_cast<QFileDialog*>(object), value);
        break;
    default:
        return false;
    }
    return true;
}

std::optional<QStringList> ReadStrings(const QObject* object, std::string_view name) {
    const PropertyInfo* info = published(object, name, PropertyKind::StringList);
    if (!info)
        return std::nullopt;
    switch (info->property) {
    case Property::Lines:
        return readLines(static_cast<const QPlainTextEdit*>(object));
    case Property::Items:
        if (const auto* list = qobject_cast<const QListWidget*>(object))
            return listItems(list);
        if (const auto* combo = qobject_cast<const QComboBox*>(object))
            return comboItems(combo);
        return static_cast<const RadioGroupBox*>(object)->Items();
    case Property::Pages:
        return tabTexts(static_cast<const QTabWidget*>(object));
    default:
        return std::nullopt;
    }
}

bool WriteStrings(QObject* object, std::string_view name, const QStringList& value) {
    const auto current = ReadStrings(object, name);
    if (!current)
        return false;
    const Property property = propertyNamed(name)->property;
    if (property == Property::Pages && current->size() != value.size())
        return false;
    if (*current == value)
        return true;
    switch (property) {
    case Property::Lines:
        static_cast<QPlainTextEdit*>(object)->setPlainText(value.join(u'\n'));
        break;
    case Property::Items:
        if (auto* list = qobject_cast<QListWidget*>(object))
            writeListItems(list, value);
        else if (auto* combo = qobject_cast<QComboBox*>(object))
            writeComboItems(combo, value);
        else
            static_cast<RadioGroupBox*>(object)->SetItems(value);
        break;
    case Property::Pages: {
        auto* tabs = static_cast<QTabWidget*>(object);
        for (int i = 0; i < tabs->count(); ++i)
            tabs->setTabText(i, value[i]);
        break;
    }
    default:
        return false;
    }
    return true;
}

QStringList NameFiltersFromFilter(const QString& filter) {
    QStringList nameFilters;
    const QStringList parts = filter.split(u'|');
    // Pairs of description and patterns; a description without patterns
    // filters nothing and is left out.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QStringList patterns = splitPatterns(parts[i + 1]);
        if (patterns.isEmpty())
            continue;
        const QString patternList = patterns.join(u' ');
        // A description that lists its patterns already keeps its wording;
        // Qt only needs them space-separated.
        QString base = description;
        const auto match = nameFilterPattern().match(description);
        if (match.hasMatch() && splitPatterns(match.captured(2)) == patterns)
            base = match.captured(1);
        else if (splitPatterns(description) == patterns)
            base.clear();
        while (base.endsWith(u' '))
            base.chop(1);
        nameFilters.append(base.isEmpty() ? patternList
                                          : base + QStringLiteral(" (") + patternList + u')');
    }
    return nameFilters;
}

QString FilterFromNameFilters(const QStringList& nameFilters) {
    QStringList parts;
    for (const QString& nameFilter : nameFilters) {
        const auto match = nameFilterPattern().match(nameFilter);
        const QString patterns = match.hasMatch() ? match.captured(2) : nameFilter;
        parts.append(nameFilter);
        parts.append(patterns.split(u' ', Qt::SkipEmptyParts).join(u';'));
    }
    return parts.join(u'|');
}

} // namespace vantelo
