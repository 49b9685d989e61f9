#pragma once

#include <string>
#include <vector>

#include "translation/lang_session.h"
#include "translation/reg_string_list.h"

class QMetaObject;
class QObject;

namespace vantelo {

// The state every translation component of the process shares. It comes
// into being on first use, all of it at once and in this order: the debug
// dialog switch, the registrations (empty), the debug log's reported lines
// (DebugLog), the loaded dictionaries (empty), then the standard
// registrations. It lives until the process ends; the dictionaries go first,
// then the registrations, then the reported lines. The property being
// translated is DebugLog::CurrentPropertyName.

// The dictionaries loaded so far, by file name.
TLangSession& LanguageSessions();
// The translatable classes, with the standard registrations.
TRegStringList& Registrations();
// The command-line switch that turns on the debug word dialog, "-VLDEBUGDLG".
std::string& DebugDialogSwitch();

// Registrations() operations, for applications that register their own
// classes (a tab widget's "Pages", say).
int RegisterTranslatedClass(const QMetaObject& classType, std::vector<std::string> propertyNames);
int FindRegistration(const QObject* object);
void RegisterStandardClasses();

} // namespace vantelo
