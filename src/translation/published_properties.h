#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QObject;

namespace vantelo {

// The translatable properties of Qt objects under the names dictionaries and
// registrations use: Caption, Hint, Lines, Items, Title, Filter and Pages.
// Which object publishes which property, and the Qt accessors behind each,
// are listed in docs/translation-on-qt.md. Property names are matched
// without regard to letter case.
//
// Writing a value equal to the current one changes nothing: no signal, no
// lost cursor, selection or picture.

enum class PropertyKind { None, String, StringList };

// The properties the object publishes, in this order: Caption, Hint, Lines,
// Items, Title, Filter, Pages.
std::vector<std::string> PublishedProperties(const QObject* object);

PropertyKind KindOf(const QObject* object, std::string_view name);
inline bool HasProperty(const QObject* object, std::string_view name) {
    return KindOf(object, name) != PropertyKind::None;
}

// Read and write a string property; nullopt / false when the object does
// not publish the property as a string.
std::optional<QString> ReadString(const QObject* object, std::string_view name);
bool WriteString(QObject* object, std::string_view name, const QString& value);

// The same for string-list properties. A list written to Pages must have one
// text per tab (false otherwise, and nothing changes); Items and Lines
// follow the list's length.
std::optional<QStringList> ReadStrings(const QObject* object, std::string_view name);
bool WriteStrings(QObject* object, std::string_view name, const QStringList& value);

// A file filter as dictionaries hold it, "Text files (*.txt)|*.txt|All
// files (*.*)|*.*" (description and patterns, patterns separated by ";"),
// and as Qt's name filters, {"Text files (*.txt)", "All files (*.*)"}.
QStringList NameFiltersFromFilter(const QString& filter);
QString FilterFromNameFilters(const QStringList& nameFilters);

} // namespace vantelo
