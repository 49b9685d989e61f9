#include "translation/component_model.h"

#include <QLayout>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QWidget>

namespace vantelo {

namespace {

bool isQtInternalName(const QString& name) {
    return name.startsWith(QLatin1String("qt_"));
}

void collect(const QObject* parent, std::vector<QObject*>& components) {
    for (QObject* child : parent->children()) {
        // Layouts place widgets; they hold nothing to translate, and what
        // they place are children of the widget, not of the layout.
        if (qobject_cast<const QLayout*>(child))
            continue;
        const QString name = child->objectName();
        if (!name.isEmpty() && !isQtInternalName(name))
            components.push_back(child);
        if (!IsOwnWindow(child))
            collect(child, components);
    }
}

} // namespace

std::vector<std::string> ClassChain(const QMetaObject& classType) {
    std::vector<std::string> chain;
    for (const QMetaObject* m = &classType; m; m = m->superClass())
        chain.emplace_back(m->className());
    return chain;
}

std::string ClassName(const QObject* object) {
    return object ? std::string(object->metaObject()->className()) : std::string();
}

bool IsKindOf(const QObject* object, const QMetaObject& classType) {
    return object && object->metaObject()->inherits(&classType);
}

bool IsOwnWindow(const QObject* object) {
    if (!object || !object->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(object);
    // Popups, tool tips and floating tool windows are windows to the window
    // system but parts of the window that made them.
    switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Drawer:
        return true;
    default:
        return false;
    }
}

std::vector<QObject*> Components(const QObject* owner) {
    std::vector<QObject*> components;
    if (owner)
        collect(owner, components);
    return components;
}

QObject* FindComponent(const QObject* owner, std::string_view name) {
    if (!owner || name.empty())
        return nullptr;
    const QString wanted = QString::fromUtf8(name.data(), qsizetype(name.size()));
    for (QObject* component : Components(owner))
        if (component->objectName().compare(wanted, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

QObject* ComponentOwner(const QObject* component) {
    if (!component)
        return nullptr;
    QObject* owner = component->parent();
    while (owner && owner->parent() && !IsOwnWindow(owner))
        owner = owner->parent();
    return owner;
}

TComponentRef ComponentRef(const QObject* object) {
    if (!object)
        return {};
    return {ClassName(object), object->objectName().toStdString()};
}

} // namespace vantelo
