#include "demo_window.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QVBoxLayout>
#include <vector>

#include "dictionary/debug_log.h"
#include "dictionary/lang_exception.h"
#include "translation/dictionary_text.h"
#include "translation/message_form.h"
#include "translation/published_properties.h"
#include "translation/vantelo.h"

namespace vantelo::demo {

namespace {

// Every named widget and action that shows a text; the component records
// their texts against the dictionary at the first language change.
const std::vector<std::string> TranslatedComponents = {
    "fileMenu",   "openAction",  "saveAction",    "quitAction",  "languageMenu", "headingLabel",
    "introLabel", "colourLabel", "colourCombo",   "fruitLabel",  "fruitList",    "rememberCheck",
    "notesLabel", "notesMemo",   "messageButton", "closeButton", "openDialog",   "saveDialog",
};

// The file dialogs' filter as the dictionary holds it.
const QString TextFilesFilter = QStringLiteral("Text files (*.txt)|*.txt|All files (*.*)|*.*");

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QAction* addMenuEntry(QMenu* menu, const char* name, const QString& text, const QString& toolTip,
                      const QString& statusTip) {
    QAction* action = named(menu->addAction(text), name);
    action->setToolTip(toolTip);
    action->setStatusTip(statusTip);
    return action;
}

QLabel* label(const char* name, const QString& text, QWidget* buddy) {
    QLabel* result = named(new QLabel(text), name);
    result->setBuddy(buddy);
    return result;
}

} // namespace

DemoWindow::DemoWindow(QWidget* parent) : QMainWindow(parent), translator_(new TVantelo(this)) {
    setObjectName(QStringLiteral("demoWindow")); // debug logs name the window
    setWindowTitle(QStringLiteral("Vantelo Demo"));
    buildMenus();
    buildCentralWidget();
    statusBar(); // where menu entries show their long hints
    resize(560, 520);

    translator_->SetLangMainName("English");
    translator_->SetListComponents(TranslatedComponents);
    translator_->OnLangChangeAfter = [this](TVantelo* sender, TLanguage&, const TLanguage*&) {
        markLanguage(sender->CurrentLanguage().Name);
    };
}

void DemoWindow::buildMenus() {
    QMenu* file = named(menuBar()->addMenu(QStringLiteral("&File")), "fileMenu");
    QAction* open = addMenuEntry(file, "openAction", QStringLiteral("&Open…"),
                                 QStringLiteral("Open"), QStringLiteral("Chooses a text file"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &DemoWindow::chooseFile);
    QAction* save =
        addMenuEntry(file, "saveAction", QStringLiteral("&Save…"), QStringLiteral("Save"),
                     QStringLiteral("Saves the notes to a text file"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &DemoWindow::saveNotes);
    file->addSeparator();
    QAction* quit = addMenuEntry(file, "quitAction", QStringLiteral("&Quit"),
                                 QStringLiteral("Quit"), QStringLiteral("Closes the demo"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    languageMenu_ = named(menuBar()->addMenu(QStringLiteral("&Language")), "languageMenu");
    languageGroup_ = new QActionGroup(languageMenu_);

    // Created once, as components of this window, so that their titles and
    // filters are translated with everything else.
    openDialog_ = named(new QFileDialog(this, QStringLiteral("Open a text file")), "openDialog");
    openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    openDialog_->setFileMode(QFileDialog::ExistingFile);
    openDialog_->setNameFilters(NameFiltersFromFilter(TextFilesFilter));
    saveDialog_ = named(new QFileDialog(this, QStringLiteral("Save the notes")), "saveDialog");
    saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
    saveDialog_->setDefaultSuffix(QStringLiteral("txt"));
    saveDialog_->setNameFilters(NameFiltersFromFilter(TextFilesFilter));
}

void DemoWindow::buildCentralWidget() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);

    QLabel* heading =
        named(new QLabel(QStringLiteral("Welcome to the Vantelo demo!")), "headingLabel");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);
    layout->addWidget(heading);
    layout->addWidget(
        named(new QLabel(QStringLiteral("Choose another language in the “Language” menu.")),
              "introLabel"));

    auto* form = new QFormLayout;
    colourCombo_ = named(new QComboBox, "colourCombo");
    colourCombo_->addItems(
        {QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")});
    form->addRow(label("colourLabel", QStringLiteral("&Colour:"), colourCombo_), colourCombo_);
    fruitList_ = named(new QListWidget, "fruitList");
    fruitList_->addItems(
        {QStringLiteral("Apple"), QStringLiteral("Pear"), QStringLiteral("Cherry")});
    fruitList_->setCurrentRow(0);
    fruitList_->setMaximumHeight(fruitList_->sizeHintForRow(0) * 4);
    form->addRow(label("fruitLabel", QStringLiteral("Fr&uit:"), fruitList_), fruitList_);
    layout->addLayout(form);
    layout->addWidget(
        named(new QCheckBox(QStringLiteral("&Remember my choices")), "rememberCheck"));

    notesMemo_ = named(new QPlainTextEdit, "notesMemo");
    notesMemo_->setPlainText(QStringLiteral("Every line of these notes is looked up on its own.\n"
                                            "A line the dictionary does not hold stays as it is:\n"
                                            "42 × 7 = 294"));
    layout->addWidget(label("notesLabel", QStringLiteral("&Notes:"), notesMemo_));
    layout->addWidget(notesMemo_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* message = named(new QPushButton(QStringLiteral("Show &message")), "messageButton");
    message->setToolTip(QStringLiteral("Shows a message built at run time"));
    message->setDefault(true);
    connect(message, &QPushButton::clicked, this, &DemoWindow::showGreeting);
    buttons->addWidget(message);
    QPushButton* close = named(new QPushButton(QStringLiteral("Cl&ose")), "closeButton");
    connect(close, &QPushButton::clicked, this, &DemoWindow::confirmClose);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    setCentralWidget(central);
}

void DemoWindow::LoadDictionary(const std::string& fileName) {
    translator_->SetFileName(fileName);
    fillLanguageMenu();
    if (translator_->DebugLog)
        statusBar()->showMessage(
            translator_->Tr(QStringLiteral("Texts missing from the dictionary are logged to %1"))
                .arg(DebugLogPath()));
}

QString DemoWindow::DebugLogPath() {
    return QDir::toNativeSeparators(QString::fromStdString(vantelo::DebugLog::Path().string()));
}

void DemoWindow::confirmClose() {
    try {
        if (VLMessageDlg(*translator_, QStringLiteral("Do you want to close the demo?"),
                         mtConfirmation, mbYesNo, 0) == mrYes)
            close();
    } catch (const ELangException& e) {
        showError(QString::fromUtf8(e.what()));
    }
}

void DemoWindow::fillLanguageMenu() {
    for (QAction* action : languageGroup_->actions())
        delete action;
    const TItemSession* dictionary = translator_->Dictionary();
    if (!dictionary)
        return;
    const TLanguageList& languages = dictionary->GetLanguages();
    for (int i = 0; i < languages.Count(); ++i) {
        const TLanguage& language = languages[i];
        if (language.IsRemark)
            continue;
        const std::string& shown = language.Title.empty() ? language.Name : language.Title;
        QAction* action = languageMenu_->addAction(FromDictionaryText(shown));
        action->setCheckable(true);
        action->setData(QByteArray::fromStdString(language.Name));
        languageGroup_->addAction(action);
        connect(action, &QAction::triggered, this, [this, name = language.Name] {
            try {
                ChangeLanguage(name);
            } catch (const ELangException& e) {
                showError(QString::fromStdString(e.what()));
            }
        });
    }
    markLanguage(translator_->CurrentLanguage().Name);
}

void DemoWindow::ChangeLanguage(std::string_view name) {
    translator_->ChangeLanguageByName(name);
}

void DemoWindow::markLanguage(const std::string& name) {
    for (QAction* action : languageGroup_->actions())
        action->setChecked(action->data().toByteArray().toStdString() == name);
}

QStringList DemoWindow::Languages() const {
    QStringList names;
    for (const QAction* action : languageGroup_->actions())
        names << action->text();
    return names;
}

QString DemoWindow::GreetingText() const {
    const QListWidgetItem* fruit = fruitList_->currentItem();
    return translator_->Tr(QStringLiteral("Your colour is %1 and your fruit is %2."))
        .arg(colourCombo_->currentText(), fruit ? fruit->text() : QString());
}

void DemoWindow::showGreeting() {
    QMessageBox::information(this, windowTitle(), GreetingText());
}

void DemoWindow::showError(const QString& what) {
    QMessageBox::warning(this, windowTitle(), what);
}

void DemoWindow::chooseFile() {
    if (openDialog_->exec() != QDialog::Accepted || openDialog_->selectedFiles().isEmpty())
        return;
    const QString file = QDir::toNativeSeparators(openDialog_->selectedFiles().constFirst());
    statusBar()->showMessage(translator_->Tr(QStringLiteral("Chosen file: %1")).arg(file));
}

void DemoWindow::saveNotes() {
    if (saveDialog_->exec() != QDialog::Accepted || saveDialog_->selectedFiles().isEmpty())
        return;
    const QString path = saveDialog_->selectedFiles().constFirst();
    QSaveFile out(path);
    const bool saved = out.open(QIODevice::WriteOnly) &&
                       out.write(notesMemo_->toPlainText().toUtf8()) >= 0 && out.commit();
    const QString message =
        saved ? QStringLiteral("Saved %1.") : QStringLiteral("Could not save %1.");
    statusBar()->showMessage(translator_->Tr(message).arg(QDir::toNativeSeparators(path)));
}

} // namespace vantelo::demo
