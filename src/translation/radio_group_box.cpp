#include "translation/radio_group_box.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace vantelo {

RadioGroupBox::RadioGroupBox(QWidget* parent) : RadioGroupBox(QString(), parent) {}

RadioGroupBox::RadioGroupBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)), layout_(new QGridLayout(this)) {
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool) { notify(); });
}

QStringList RadioGroupBox::Items() const {
    QStringList items;
    items.reserve(qsizetype(buttons_.size()));
    for (const auto* button : buttons_)
        items.append(button->text());
    return items;
}

void RadioGroupBox::SetItems(const QStringList& items) {
    const size_t wanted = size_t(items.size());
    const size_t kept = std::min(wanted, buttons_.size());
    for (size_t i = 0; i < kept; ++i)
        if (buttons_[i]->text() != items[qsizetype(i)])
            buttons_[i]->setText(items[qsizetype(i)]);
    if (kept == buttons_.size() && kept == wanted)
        return;
    while (buttons_.size() > wanted) {
        QRadioButton* button = buttons_.back();
        buttons_.pop_back();
        group_->removeButton(button);
        delete button; // a child of the box; it leaves the layout as it goes
    }
    for (size_t i = kept; i < wanted; ++i) {
        auto* button = new QRadioButton(items[qsizetype(i)], this);
        group_->addButton(button, int(i));
        buttons_.push_back(button);
    }
    relayout();
    notify();
}

int RadioGroupBox::ItemIndex() const {
    return group_->checkedId();
}

void RadioGroupBox::SetItemIndex(int index) {
    if (index >= 0 && size_t(index) < buttons_.size()) {
        buttons_[size_t(index)]->setChecked(true);
    } else if (QAbstractButton* checked = group_->checkedButton()) {
        // An exclusive group keeps one button checked; let go of it briefly.
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
    notify();
}

void RadioGroupBox::SetColumns(int columns) {
    columns = std::max(columns, 1);
    if (columns == columns_)
        return;
    columns_ = columns;
    relayout();
}

QRadioButton* RadioGroupBox::Button(int index) const {
    return index >= 0 && size_t(index) < buttons_.size() ? buttons_[size_t(index)] : nullptr;
}

void RadioGroupBox::relayout() {
    for (auto* button : buttons_)
        layout_->removeWidget(button);
    const int count = int(buttons_.size());
    const int perColumn = std::max((count + columns_ - 1) / columns_, 1);
    for (int i = 0; i < count; ++i)
        layout_->addWidget(buttons_[size_t(i)], i % perColumn, i / perColumn);
}

void RadioGroupBox::notify() {
    const int index = ItemIndex();
    if (index == reported_)
        return;
    reported_ = index;
    emit itemIndexChanged(index);
}

} // namespace vantelo
