#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

#include "dictionary/language_list.h"
#include "dictionary/language_word.h"

class QLineEdit;
class QPushButton;
class QScrollArea;

namespace vantelo {

// The debug word dialog: a text the dictionary lacks (or lacks in some
// language), shown in every language of the dictionary for the translator
// to complete. One row per language — a panel with the language's title and
// an edit field — in a scroll box that shows at most eight rows. OK turns
// enabled once a field is changed to a new, non-empty text; it answers 1,
// "&Ignore" 5 and "I&gn. all" 8.
class TfrmDebugWordVL : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowHeight = 40;
    static constexpr int MaxRows = 8;
    static constexpr int ClientWidth = 610;

    // `languages` must outlive the dialog; `word` holds one text per
    // language, in the dictionary's code page.
    TfrmDebugWordVL(const TLanguageList& languages, const TLanguageWord& word,
                    const QString& title, QWidget* parent = nullptr);

    // The word as the translator left it, one text per language.
    TLanguageWord Word() const;

    QPushButton* bbnOk() const { return ok_; }
    QPushButton* bbnCancel() const { return cancel_; }
    QPushButton* bbnIgnoreAll() const { return ignoreAll_; }
    QScrollArea* scrDebug() const { return scroll_; }
    QLineEdit* Edit(int index) const { return edits_.at(size_t(index)); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRows();
    void fieldChanged();
    void placeControls();

    const TLanguageList& languages_;
    QStringList word_;
    std::vector<QLineEdit*> edits_;
    QLineEdit* currentEdit_ = nullptr;
    int currentIndex_ = 0;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* ignoreAll_;
    QScrollArea* scroll_;
};

} // namespace vantelo
