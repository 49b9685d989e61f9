#include "translation/message_form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <memory>

#include "dictionary/lang_exception.h"
#include "translation/vantelo.h"

namespace vantelo {

namespace {

struct ButtonInfo {
    const char* name;
    const char* caption;
    int result;
};

constexpr ButtonInfo buttonInfo[MsgDlgButtonCount] = {
    {"Yes", "&Yes", mrYes},           {"No", "&No", mrNo},
    {"OK", "OK", mrOk},               {"Cancel", "Cancel", mrCancel},
    {"Abort", "&Abort", mrAbort},     {"Retry", "&Retry", mrRetry},
    {"Ignore", "&Ignore", mrIgnore},  {"All", "&All", mrAll},
    {"NoToAll", "N&o to All", mrNoToAll}, {"YesToAll", "Yes to &All", mrYesToAll},
    {"Help", "&Help", mrNone},
};

struct TypeInfo {
    const char* title;
    QStyle::StandardPixmap icon;
    bool hasIcon;
};

constexpr TypeInfo typeInfo[] = {
    {"Warning", QStyle::SP_MessageBoxWarning, true},
    {"Error", QStyle::SP_MessageBoxCritical, true},
    {"Information", QStyle::SP_MessageBoxInformation, true},
    {"Confirm", QStyle::SP_MessageBoxQuestion, true},
    {"", QStyle::SP_CustomBase, false},
};

constexpr int IconSize = 32;

// a * b / c to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    return int((p >= 0 ? 2 * p + c : 2 * p - c) / (2LL * c));
}

bool has(TMsgDlgButtons set, TMsgDlgBtn button) {
    return (set >> button) & 1u;
}

QString fromEnglish(TVantelo& component, const QString& text) {
    TStatusTranslate status = stNotFound;
    QString result;
    component.TranslateByNames(nullptr, nullptr, text, status, Language_Default_English,
                               component.CurrentLanguage().Name, result);
    return result;
}

QRect screenGeometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

} // namespace

TMessageForm::TMessageForm(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(QApplication::font("QMessageBox"));
}

std::function<void(int, const QString&)>& TMessageForm::HelpHandler() {
    static std::function<void(int, const QString&)> handler;
    return handler;
}

QPushButton* TMessageForm::Button(TMsgDlgBtn button) const {
    return findChild<QPushButton*>(QLatin1String(buttonInfo[button].name),
                                   Qt::FindDirectChildrenOnly);
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (cancelButton_)
            cancelButton_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMessageForm::reject() {
    // Closed through its frame: as if cancelled.
    done(mrCancel);
}

TMessageForm* BuildMessageForm(TVantelo& component, const QString& message, int dialogType,
                               TMsgDlgButtons buttons) {
    if (dialogType < mtWarning || dialogType > mtCustom)
        dialogType = mtCustom;
    const TypeInfo& type = typeInfo[dialogType];

    TStatusTranslate status = stNotFound;
    QString text;
    component.TranslateText(nullptr, nullptr, message, status, text);

    auto form = std::make_unique<TMessageForm>();
    const QFontMetrics metrics(form->font());
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int charWidth = metrics.horizontalAdvance(letters) / 52;
    const int charHeight = metrics.height();
    const int hMargin = mulDiv(8, charWidth, 4);
    const int vMargin = mulDiv(8, charHeight, 8);
    const int hSpacing = mulDiv(10, charWidth, 4);
    const int vSpacing = mulDiv(10, charHeight, 8);
    const int buttonWidth = mulDiv(50, charWidth, 4);
    const int buttonHeight = mulDiv(14, charHeight, 8);
    const int buttonSpacing = mulDiv(4, charWidth, 4);

    const QRect screen = screenGeometry();
    const QRect textRect = metrics.boundingRect(QRect(0, 0, screen.width() / 2, 0),
                                                Qt::TextWordWrap | Qt::TextExpandTabs, text);
    const int textWidth = textRect.width();
    const int textHeight = textRect.height();
    int blockWidth = textWidth;
    int blockHeight = textHeight;
    if (type.hasIcon) {
        blockWidth += IconSize + hSpacing;
        blockHeight = std::max(blockHeight, IconSize);
    }
    int buttonCount = 0;
    for (int b = 0; b < MsgDlgButtonCount; ++b)
        buttonCount += has(buttons, TMsgDlgBtn(b)) ? 1 : 0;
    const int groupWidth =
        buttonCount == 0 ? 0 : buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing;
    const int clientWidth = std::max(blockWidth, groupWidth) + 2 * hMargin;
    const int clientHeight = blockHeight + buttonHeight + vSpacing + 2 * vMargin;
    form->setFixedSize(clientWidth, clientHeight);
    form->move(screen.x() + screen.width() / 2 - clientWidth / 2,
               screen.y() + screen.height() / 2 - clientHeight / 2);

    const QString title =
        dialogType == mtCustom ? QGuiApplication::applicationDisplayName() : type.title;
    form->setWindowTitle(fromEnglish(component, title));

    if (type.hasIcon) {
        auto* image = new QLabel(form.get());
        image->setObjectName("Image");
        image->setPixmap(form->style()->standardIcon(type.icon).pixmap(IconSize, IconSize));
        image->setGeometry(hMargin, vMargin, IconSize, IconSize);
    }
    auto* label = new QLabel(text, form.get());
    label->setObjectName("Message");
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setGeometry(blockWidth - textWidth + hMargin, vMargin, textWidth, textHeight);

    const auto pick = [&](std::initializer_list<TMsgDlgBtn> order) {
        for (TMsgDlgBtn b : order)
            if (has(buttons, b))
                return int(b);
        return -1;
    };
    const int defaultButton = pick({mbOK, mbYes, mbRetry});
    const int cancelButton = pick({mbCancel, mbNo, mbOK});

    int x = (clientWidth - groupWidth) / 2;
    const int y = blockHeight + vMargin + vSpacing;
    TMessageForm* raw = form.get();
    for (int b = 0; b < MsgDlgButtonCount; ++b) {
        if (!has(buttons, TMsgDlgBtn(b)))
            continue;
        const ButtonInfo& info = buttonInfo[b];
        auto* button = new QPushButton(fromEnglish(component, info.caption), raw);
        button->setObjectName(info.name);
        button->setGeometry(x, y, buttonWidth, buttonHeight);
        button->setAutoDefault(false);
        x += buttonWidth + buttonSpacing;
        if (b == mbHelp) {
            QObject::connect(button, &QPushButton::clicked, raw, [raw] {
                if (const auto& handler = TMessageForm::HelpHandler())
                    handler(raw->HelpContext, raw->HelpFile);
            });
        } else {
            const int result = info.result;
            QObject::connect(button, &QPushButton::clicked, raw, [raw, result] { raw->done(result); });
        }
        if (b == defaultButton) {
            button->setDefault(true);
            raw->defaultButton_ = button;
            button->setFocus();
        }
        if (b == cancelButton)
            raw->cancelButton_ = button;
    }
    return form.release();
}

int ShowMessageForm(TVantelo& component, const QString& message, int dialogType,
                    TMsgDlgButtons buttons, int helpContext, int x, int y,
                    const QString& helpFileName) {
    std::unique_ptr<TMessageForm> form(BuildMessageForm(component, message, dialogType, buttons));
    form->HelpContext = helpContext;
    form->HelpFile = helpFileName;
    if (x >= 0)
        form->move(x, form->y());
    if (y >= 0)
        form->move(form->x(), y);
    return form->exec();
}

int VLMessageDlg(TVantelo& component, const QString& message, int dialogType,
                 TMsgDlgButtons buttons, int helpContext) {
    try {
        return ShowMessageForm(component, message, dialogType, buttons, helpContext, -1, -1, {});
    } catch (const ELangException&) {
        QMessageBox::warning(
            nullptr, QStringLiteral("Warning"),
            QStringLiteral("Install in you dictionary Language name \"English\" or change const "
                           "Language_Default_English to language for translate dialog "
                           "VLMessageDlg!"));
        return ShowMessageForm(component, message, dialogType, buttons, helpContext, -1, -1, {});
    }
}

} // namespace vantelo
