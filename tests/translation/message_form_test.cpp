// The translated message box: its buttons, its layout and its texts, shown
// modally and answered from the event loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>

#include "dictionary/lang_exception.h"
#include "support/modal.h"
#include "translation/dictionary_files.h"
#include "translation/message_form.h"
#include "translation/vantelo.h"

using namespace vantelo;
using vantelo::testing::DictionaryFiles;
using vantelo::testing::OnNextModal;

namespace {

// Runs `act` on the next modal widget once it is shown.

void pressEscapeThen(std::function<void(QWidget*)> next = {}) {
    OnNextModal([next](QWidget* box) {
        QTest::keyClick(box, Qt::Key_Escape);
        if (next)
            next(box);
    });
}

std::string germanDictionary(DictionaryFiles& files) {
    return files.Write("box.lgf", {"English", "German"},
                       {{"&Yes", "&Ja"},
                        {"&No", "&Nein"},
                        {"Confirm", "Best\xE4tigen"},
                        {"Delete the line?", "Die Zeile l\xF6schen?"},
                        {"Box test", "Kastentest"}});
}

TEST(MessageFormTest, DefaultAndEscapeFollowTheButtonSet) {
    TVantelo vl; // no dictionary: the box stays in English
    std::unique_ptr<TMessageForm> yesNo(BuildMessageForm(vl, "Sure?", mtConfirmation, mbYesNo));
    EXPECT_EQ(yesNo->DefaultButton(), yesNo->Button(mbYes));
    EXPECT_EQ(yesNo->CancelButton(), yesNo->Button(mbNo));
    EXPECT_EQ(yesNo->Button(mbOK), nullptr);
    EXPECT_EQ(yesNo->Button(mbYes)->text(), "&Yes");
    EXPECT_LT(yesNo->Button(mbYes)->x(), yesNo->Button(mbNo)->x());

    pressEscapeThen();
    EXPECT_EQ(VLMessageDlg(vl, "Sure?", mtConfirmation, mbYesNo, 0), mrNo);
    pressEscapeThen();
    EXPECT_EQ(VLMessageDlg(vl, "Go on?", mtWarning, mbOKCancel, 0), mrCancel);
    OnNextModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_EQ(VLMessageDlg(vl, "Go on?", mtWarning, mbOKCancel, 0), mrOk);

    // Abort, Retry, Ignore: Retry is the default and Escape does nothing.
    std::unique_ptr<TMessageForm> ari(BuildMessageForm(vl, "Failed.", mtError, mbAbortRetryIgnore));
    EXPECT_EQ(ari->DefaultButton(), ari->Button(mbRetry));
    EXPECT_EQ(ari->CancelButton(), nullptr);
    bool stillOpen = false;
    pressEscapeThen([&](QWidget* box) {
        stillOpen = box->isVisible();
        box->findChild<QPushButton*>("Ignore")->click();
    });
    EXPECT_EQ(VLMessageDlg(vl, "Failed.", mtError, mbAbortRetryIgnore, 0), mrIgnore);
    EXPECT_TRUE(stillOpen);
}

TEST(MessageFormTest, HelpAsksTheHelpSystemAndKeepsTheBoxOpen) {
    TVantelo vl;
    std::vector<int> asked;
    TMessageForm::HelpHandler() = [&](int context, const QString&) { asked.push_back(context); };
    OnNextModal([](QWidget* box) {
        box->findChild<QPushButton*>("Help")->click();
        box->findChild<QPushButton*>("OK")->click();
    });
    EXPECT_EQ(VLMessageDlg(vl, "Read on.", mtInformation, ButtonSet({mbOK, mbHelp}), 42), mrOk);
    EXPECT_EQ(asked, std::vector<int>{42});
    TMessageForm::HelpHandler() = nullptr;
}

TEST(MessageFormTest, LayoutFollowsTheMessageFont) {
    TVantelo vl;
    std::unique_ptr<TMessageForm> shortBox(BuildMessageForm(vl, "Short.", mtWarning, mbOKOnly));
    const QFontMetrics metrics(shortBox->font());
    const int charWidth =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
    auto* image = shortBox->findChild<QLabel*>("Image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(2 * charWidth, metrics.height(), 32, 32));
    auto* ok = shortBox->Button(mbOK);
    EXPECT_EQ(ok->width(), (50 * charWidth * 2 + 4) / 8);
    // One centred button.
    EXPECT_EQ(ok->x(), (shortBox->width() - ok->width()) / 2);

    // A message wider than half the screen wraps: the box grows downwards.
    const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
    const QString longText = QString("A rather long message that goes on. ").repeated(30);
    std::unique_ptr<TMessageForm> longBox(BuildMessageForm(vl, longText, mtWarning, mbOKOnly));
    auto* message = longBox->findChild<QLabel*>("Message");
    EXPECT_LE(message->width(), halfScreen);
    EXPECT_GT(message->height(), 3 * metrics.height());
    EXPECT_LE(longBox->width(), halfScreen + 32 + 9 * charWidth);
    EXPECT_GT(longBox->height(), shortBox->height() + 2 * metrics.height());
    EXPECT_GE(ok->y(), image->geometry().bottom());
}

TEST(MessageFormTest, TextsComeInTheComponentsLanguage) {
    DictionaryFiles files;
    TVantelo vl;
    vl.SetFileName(germanDictionary(files));
    vl.ChangeLanguageByName("German");
    std::unique_ptr<TMessageForm> box(
        BuildMessageForm(vl, "Delete the line?", mtConfirmation, mbYesNo));
    EXPECT_EQ(box->windowTitle(), "Best\u00e4tigen");
    EXPECT_EQ(box->findChild<QLabel*>("Message")->text(), "Die Zeile l\u00f6schen?");
    EXPECT_EQ(box->Button(mbYes)->text(), "&Ja");
    EXPECT_EQ(box->Button(mbNo)->text(), "&Nein");

    // The custom type: the application's title, translated, and no icon.
    const QString oldName = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName("Box test");
    std::unique_ptr<TMessageForm> custom(BuildMessageForm(vl, "Hello", mtCustom, mbOKOnly));
    QGuiApplication::setApplicationDisplayName(oldName);
    EXPECT_EQ(custom->windowTitle(), "Kastentest");
    EXPECT_EQ(custom->findChild<QLabel*>("Image"), nullptr);
    // Without an icon the message starts at the margin.
    const QFontMetrics metrics(custom->font());
    const int charWidth =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
    EXPECT_EQ(custom->findChild<QLabel*>("Message")->x(), 2 * charWidth);
}

TEST(MessageFormTest, DictionaryWithoutEnglishWarnsThenFails) {
    DictionaryFiles files;
    TVantelo vl;
    vl.SetFileName(files.Write("noenglish.lgf", {"German", "French"}, {{"Ja", "Oui"}}));
    QString warning;
    int boxes = 0;
    OnNextModal([&](QWidget* box) {
        ++boxes;
        if (auto* plain = qobject_cast<QMessageBox*>(box))
            warning = plain->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_THROW(VLMessageDlg(vl, "Ja", mtConfirmation, mbYesNo, 0), ELangException);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(warning, "Install in you dictionary Language name \"English\" or change const "
                       "Language_Default_English to language for translate dialog VLMessageDlg!");
}

} // namespace
