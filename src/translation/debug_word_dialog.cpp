#include "translation/debug_word_dialog.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>

#include "dictionary/lang_exception.h"
#include "translation/dictionary_text.h"

namespace vantelo {

namespace {

QString shown(const std::string& text) {
    try {
        return FromDictionaryText(text);
    } catch (const ELangException&) {
        return QString::fromLatin1(text.data(), qsizetype(text.size()));
    }
}

bool representable(const QString& text) {
    try {
        ToDictionaryText(text);
        return true;
    } catch (const ELangException&) {
        return false;
    }
}

} // namespace

TfrmDebugWordVL::TfrmDebugWordVL(const TLanguageList& languages, const TLanguageWord& word,
                                 const QString& title, QWidget* parent)
    : QDialog(parent), languages_(languages) {
    setObjectName("frmDebugWordVL");
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    font.setBold(true);
    setFont(font);

    for (const auto& text : word)
        word_.append(shown(text));
    while (word_.size() < languages_.Count())
        word_.append(QString());

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("scrDebug");
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("bbnOk");
    ok_->setDefault(true);
    cancel_ = new QPushButton("&Ignore", this);
    cancel_->setObjectName("bbnCancel");
    ignoreAll_ = new QPushButton("I&gn. all", this);
    ignoreAll_->setObjectName("bbnIgnoreAll");
    for (QPushButton* b : {ok_, cancel_, ignoreAll_})
        b->resize(77, 27);
    connect(ok_, &QPushButton::clicked, this, [this] { done(1); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(5); });
    connect(ignoreAll_, &QPushButton::clicked, this, [this] { done(8); });
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, ignoreAll_);
    setTabOrder(ignoreAll_, scroll_);

    const int rows = std::min(int(languages_.Count()), MaxRows);
    setFixedSize(ClientWidth, rows * RowHeight + 8 + ok_->height());
    placeControls();
    buildRows();
}

void TfrmDebugWordVL::buildRows() {
    auto* content = new QWidget;
    const int panelWidth = ClientWidth - 4;
    for (int i = 0; i < languages_.Count(); ++i) {
        auto* panel = new QFrame(content);
        panel->setObjectName(QStringLiteral("pnl%1").arg(i));
        panel->setFrameShape(QFrame::NoFrame);
        panel->setAutoFillBackground(true);
        panel->setBackgroundRole(QPalette::Button);
        panel->setGeometry(2, i * RowHeight, panelWidth, RowHeight);
        auto* label = new QLabel(shown(languages_[i].Title), panel);
        label->setObjectName(QStringLiteral("lbl%1").arg(i));
        label->setGeometry(4, 4, panelWidth - 8, label->sizeHint().height());
        auto* edit = new QLineEdit(word_[i], panel);
        edit->setObjectName(QStringLiteral("edt%1").arg(i));
        edit->setGeometry(2, label->y() + label->height() + 2, panelWidth - 4,
                          edit->sizeHint().height());
        edit->installEventFilter(this);
        // A field typed in is the field entered, focus or not (a test, an
        // input method).
        connect(edit, &QLineEdit::textChanged, this, [this, edit, i] {
            currentEdit_ = edit;
            currentIndex_ = i;
            fieldChanged();
        });
        edits_.push_back(edit);
    }
    content->resize(ClientWidth, int(languages_.Count()) * RowHeight);
    scroll_->setWidget(content);
    currentEdit_ = edits_.empty() ? nullptr : edits_.front();
    currentIndex_ = 0;
    fieldChanged();
}

bool TfrmDebugWordVL::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto found = std::find(edits_.begin(), edits_.end(), watched);
        if (found != edits_.end()) {
            currentEdit_ = *found;
            currentIndex_ = int(found - edits_.begin());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmDebugWordVL::fieldChanged() {
    if (!currentEdit_)
        return;
    const QString text = currentEdit_->text();
    // A text the dictionary's code page cannot hold cannot be added.
    if (!text.isEmpty() && text != word_[currentIndex_] && representable(text)) {
        word_[currentIndex_] = text;
        ok_->setEnabled(true);
    } else {
        ok_->setEnabled(false);
    }
}

void TfrmDebugWordVL::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeControls();
}

void TfrmDebugWordVL::placeControls() {
    const int top = height() - ok_->height() - 4;
    const int left = (width() - (3 * ok_->width() + 8)) / 2;
    ok_->move(left, top);
    cancel_->move(ok_->x() + ok_->width() + 4, top);
    ignoreAll_->move(cancel_->x() + cancel_->width() + 4, top);
    scroll_->setGeometry(0, 0, width(), top - 4);
}

TLanguageWord TfrmDebugWordVL::Word() const {
    TLanguageWord word;
    for (const QString& text : word_)
        word.push_back(representable(text) ? ToDictionaryText(text) : std::string());
    return word;
}

} // namespace vantelo
