#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/item_session.h"

class QMetaObject;
class QObject;

namespace vantelo {

// The component model the translation component works on, made of Qt's
// object tree and meta-objects:
// - a component's class is its meta-object; its ancestry is the chain of
//   super classes;
// - an owner's components are the objects below it that carry an
//   objectName, in tree order (depth first, children in their order). The
//   walk lists a nested window (a dialog, a second main window) but does not
//   enter it: what lies inside belongs to that window. Popups such as menus
//   are entered, their actions belong to the window. Objects Qt names for
//   itself ("qt_" names, such as a scroll area's viewport) are entered but
//   not listed. Layouts are neither listed nor entered.

// The class names from `classType` up to QObject, the class itself first.
std::vector<std::string> ClassChain(const QMetaObject& classType);

// The object's class name as its meta-object gives it ("" for null).
std::string ClassName(const QObject* object);

// True when the object's class is `classType` or derives from it.
bool IsKindOf(const QObject* object, const QMetaObject& classType);

// True for a widget that is a window of its own (main window, dialog,
// parentless widget), where the walk of components stops.
bool IsOwnWindow(const QObject* object);

// The owner's components, in tree order; the owner itself is not among them.
std::vector<QObject*> Components(const QObject* owner);

// The first of the owner's components with this name (letter case aside),
// or null.
QObject* FindComponent(const QObject* owner, std::string_view name);

// The object whose components include `component`: the nearest window above
// it, or the top of its tree; null for an object without parent.
QObject* ComponentOwner(const QObject* component);

// Class name and object name, as the dictionary's debug log names objects.
TComponentRef ComponentRef(const QObject* object);

} // namespace vantelo
