#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace vantelo {

// A group box holding one radio button per entry of Items, of which at most
// one is chosen (ItemIndex, -1 for none). The buttons are laid out in
// Columns columns, filled top to bottom and then left to right.
//
// The buttons are unnamed parts of the box: translation reaches them
// through the box's Items.
class RadioGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroupBox(QWidget* parent = nullptr);
    explicit RadioGroupBox(const QString& title, QWidget* parent = nullptr);

    QStringList Items() const;
    // Renames the buttons that stay, adds or removes buttons at the end.
    // The chosen entry stays chosen while it exists.
    void SetItems(const QStringList& items);

    int ItemIndex() const;
    // An index outside the items chooses none.
    void SetItemIndex(int index);

    int Columns() const { return columns_; }
    void SetColumns(int columns);

    // The button of an entry, or null.
    QRadioButton* Button(int index) const;

signals:
    // The chosen entry changed, by the user or by SetItemIndex/SetItems.
    void itemIndexChanged(int index);

private:
    void relayout();
    // Emits itemIndexChanged when the chosen entry differs from the last one
    // reported.
    void notify();

    QButtonGroup* group_;
    QGridLayout* layout_;
    std::vector<QRadioButton*> buttons_;
    int columns_ = 1;
    int reported_ = -1;
};

} // namespace vantelo
