#pragma once

#include <QObject>

namespace vantelo {

// A companion that wants to hear of a translation component's language
// changes (a designer view, say). The component calls LanguageChanged with
// the position of the new language in its dictionary's language list.
class TCustomDesignerVL : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void LanguageChanged(int languageIndex) = 0;
};

} // namespace vantelo
