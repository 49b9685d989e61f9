#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string_view>

class QLabel;
class QPushButton;

namespace vantelo {

class TVantelo;

// Kinds of message box; the number is the type's position.
enum TMsgDlgType { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// The buttons, by bit number in a button set, in the order they are laid out.
enum TMsgDlgBtn {
    mbYes = 0,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
};
inline constexpr int MsgDlgButtonCount = 11;

// A set of buttons: button n is in the set when bit n is 1.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons ButtonSet(std::initializer_list<TMsgDlgBtn> buttons) {
    TMsgDlgButtons set = 0;
    for (TMsgDlgBtn b : buttons)
        set |= 1u << b;
    return set;
}
inline constexpr TMsgDlgButtons mbYesNo = ButtonSet({mbYes, mbNo});
inline constexpr TMsgDlgButtons mbYesNoCancel = ButtonSet({mbYes, mbNo, mbCancel});
inline constexpr TMsgDlgButtons mbOKCancel = ButtonSet({mbOK, mbCancel});
inline constexpr TMsgDlgButtons mbAbortRetryIgnore = ButtonSet({mbAbort, mbRetry, mbIgnore});
inline constexpr TMsgDlgButtons mbOKOnly = ButtonSet({mbOK});

// What a message box answers: the result of the button pressed.
enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// The dictionary language the box's own English texts (titles, captions)
// are looked up in.
inline constexpr std::string_view Language_Default_English = "English";

// A message box built at run time: an optional icon "Image", the word-wrapped
// message "Message" and one button per entry of the set, named "Yes", "No",
// "OK", ... Each button closes the box with its result, Help excepted, which
// asks the help system (HelpHandler) for the box's help context. Escape
// presses the cancel button, and does nothing when the box has none.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TMessageForm(QWidget* parent = nullptr);

    int HelpContext = 0;
    QString HelpFile;

    // The application's help system; without one Help does nothing.
    static std::function<void(int helpContext, const QString& helpFile)>& HelpHandler();

    QPushButton* Button(TMsgDlgBtn button) const;
    QPushButton* DefaultButton() const { return defaultButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend TMessageForm* BuildMessageForm(TVantelo& component, const QString& message,
                                          int dialogType, TMsgDlgButtons buttons);
    QPushButton* defaultButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Builds the box, without showing it: the message through TranslateText,
// title and captions from "English" into the component's current language.
// The caller owns the form.
TMessageForm* BuildMessageForm(TVantelo& component, const QString& message, int dialogType,
                               TMsgDlgButtons buttons);
// Builds and shows the box modally at (x, y) when they are not negative,
// and answers the result of the button pressed.
int ShowMessageForm(TVantelo& component, const QString& message, int dialogType,
                    TMsgDlgButtons buttons, int helpContext, int x, int y,
                    const QString& helpFileName);
// ShowMessageForm centred, without help file. When the component's
// dictionary has no "English" language, a plain warning says so and the box
// is tried once more (its error then reaches the caller).
int VLMessageDlg(TVantelo& component, const QString& message, int dialogType,
                 TMsgDlgButtons buttons, int helpContext);

} // namespace vantelo
