#include "translation/shared_state.h"

#include "dictionary/debug_log.h"

namespace vantelo {

namespace {

// Members are made in declaration order and destroyed in reverse.
struct SharedState {
    std::string debugDialogSwitch = "-VLDEBUGDLG";
    TRegStringList registrations;
    // Touching the reported lines here makes them outlive the dictionaries,
    // which may still report while they go.
    bool reportedLinesReady = (DebugLog::ReportedLines(), true);
    TLangSession languageSessions;

    SharedState() { registrations.RegisterStandardClasses(); }
};

SharedState& shared() {
    static SharedState state;
    return state;
}

} // namespace

TLangSession& LanguageSessions() {
    return shared().languageSessions;
}

TRegStringList& Registrations() {
    return shared().registrations;
}

std::string& DebugDialogSwitch() {
    return shared().debugDialogSwitch;
}

int RegisterTranslatedClass(const QMetaObject& classType, std::vector<std::string> propertyNames) {
    return Registrations().RegisterTranslatedClass(classType, std::move(propertyNames));
}

int FindRegistration(const QObject* object) {
    return Registrations().FindRegistration(object);
}

void RegisterStandardClasses() {
    Registrations().RegisterStandardClasses();
}

} // namespace vantelo
