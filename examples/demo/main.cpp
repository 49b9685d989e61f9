// vantelo-demo: a small window that a TVantelo component switches between
// the languages of the dictionary demo.lgf.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <iostream>
#include <string_view>

#include "demo_window.h"
#include "dictionary/command_line.h"
#include "dictionary/lang_exception.h"
#include "translation/dictionary_text.h"
#include "translation/vantelo.h"

namespace {

constexpr int Success = 0;
constexpr int Failure = 1;
constexpr int WrongUsage = 2;

// Found in the program's folder, where the build puts it, or in the
// current folder.
constexpr const char* DictionaryFile = "demo.lgf";

constexpr std::string_view Usage =
    "Usage: vantelo-demo [--language NAME] [-VLDEBUG] [-VLDEBUGDLG]\n"
    "\n"
    "Shows a small window whose texts the translation component switches\n"
    "between the languages of the dictionary demo.lgf (English, German and\n"
    "French), looked for in the program's folder, then in the current folder.\n"
    "Choose a language in the window's Language menu.\n"
    "\n"
    "Options:\n"
    "  --language NAME  start in the language NAME\n"
    "  -VLDEBUG         log the texts the dictionary lacks to VLDebug.log\n"
    "                   (in the program's folder, or the per-user data folder)\n"
    "  -VLDEBUGDLG      ask for each text the dictionary lacks in a dialog\n"
    "  --help, -h       show this help\n"
    "\n"
    "Exit status: 0 on success, 1 when the dictionary cannot be loaded for\n"
    "--language, 2 when the command line is wrong or names an unknown language.\n";

struct Options {
    QString language;
    // Not in the help: saves a picture of the window and quits, to look at
    // the window without a desktop.
    QString screenshot;
};

bool isHelp(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

// The component reads its debug switches from the command line itself.
bool isComponentSwitch(const QString& argument) {
    const QString upper = argument.toUpper();
    return upper == QLatin1String("-VLDEBUG") || upper == QLatin1String("-VLDEBUGDLG");
}

// Fills `options`; on a wrong command line answers the complaint.
QString parseArguments(const QStringList& arguments, Options& options) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString* value = nullptr;
        QString name = argument.section(QLatin1Char('='), 0, 0);
        if (name == QLatin1String("--language"))
            value = &options.language;
        else if (name == QLatin1String("--screenshot"))
            value = &options.screenshot;
        else if (isComponentSwitch(argument))
            continue;
        else
            return QStringLiteral("unknown argument %1").arg(argument);
        if (argument.contains(QLatin1Char('=')))
            *value = argument.section(QLatin1Char('='), 1);
        else if (i + 1 < arguments.size())
            *value = arguments[++i];
        if (value->isEmpty())
            return QStringLiteral("%1 needs a value").arg(name);
    }
    return {};
}

// The component's messages quote language names as the dictionary holds
// them, in its code page.
std::string shown(const vantelo::ELangException& e) {
    try {
        return vantelo::FromDictionaryText(e.what()).toStdString();
    } catch (const vantelo::ELangException&) {
        return e.what();
    }
}

int wrongUsage(const QString& complaint) {
    std::cerr << "vantelo-demo: " << complaint.toStdString() << "\n\n" << Usage;
    return WrongUsage;
}

} // namespace

int main(int argc, char** argv) {
    vantelo::CommandLine::Set(argc, argv);
    // Help needs no display.
    for (const std::string& parameter : vantelo::CommandLine::Parameters()) {
        if (isHelp(parameter)) {
            std::cout << Usage;
            return Success;
        }
    }

    QApplication application(argc, argv);
    Options options;
    if (const QString complaint = parseArguments(application.arguments().mid(1), options);
        !complaint.isEmpty())
        return wrongUsage(complaint);

    vantelo::demo::DemoWindow window;
    if (window.Translator().DebugLog)
        std::cerr << "vantelo-demo: texts missing from the dictionary are logged to "
                  << vantelo::demo::DemoWindow::DebugLogPath().toStdString() << '\n';
    try {
        window.LoadDictionary(DictionaryFile);
    } catch (const vantelo::ELangException& e) {
        const QString message =
            QStringLiteral("Cannot load the dictionary %1: %2")
                .arg(QLatin1String(DictionaryFile), QString::fromUtf8(e.what()));
        if (!options.language.isEmpty()) {
            std::cerr << "vantelo-demo: " << message.toStdString() << '\n';
            return Failure;
        }
        // The window still works, in the language it was built in.
        QMessageBox::critical(nullptr, window.windowTitle(), message);
    }
    if (!options.language.isEmpty()) {
        try {
            window.ChangeLanguage(vantelo::ToDictionaryText(options.language));
        } catch (const vantelo::ELangException& e) {
            std::cerr << "vantelo-demo: " << shown(e) << " Languages of " << DictionaryFile << ": "
                      << window.Languages().join(QStringLiteral(", ")).toStdString() << ".\n";
            return WrongUsage;
        }
    }

    window.show();
    if (!options.screenshot.isEmpty()) {
        QTimer::singleShot(500, &window, [&] {
            const bool saved = window.grab().save(options.screenshot);
            if (!saved)
                std::cerr << "vantelo-demo: cannot save " << options.screenshot.toStdString()
                          << '\n';
            application.exit(saved ? Success : Failure);
        });
    }
    return application.exec();
}
