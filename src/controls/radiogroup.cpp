// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace sorvanto {

RadioGroup::RadioGroup(QWidget* parent, const QStringList& items, int columns)
    : QGroupBox(parent), group_(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 2, 2);
    grid->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], this);
        item->setAccessibleName(items[i]);
        group_->addButton(item, i);
        grid->addWidget(item, i / columns, i % columns);
    }
    // Toggled rather than clicked: keyboard and assistive technologies select items too.
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked || id == index_) return;
        index_ = id;
        tabToSelected();
        emit clicked();
    });
}

// The tab key stops once in the group, at its selected item (at each while none is); the arrow
// keys move between items.
void RadioGroup::tabToSelected() {
    const QAbstractButton* selected = group_->checkedButton();
    for (QAbstractButton* item : group_->buttons()) {
        const int policy = item->focusPolicy();
        item->setFocusPolicy(static_cast<Qt::FocusPolicy>(!selected || item == selected ? policy | Qt::TabFocus
                                                                                        : policy & ~Qt::TabFocus));
    }
}

int RadioGroup::itemIndex() const { return index_; }

void RadioGroup::setItemIndex(int index) {
    index_ = index;
    if (QAbstractButton* item = group_->button(index)) item->setChecked(true);
    tabToSelected();
}

}  // namespace sorvanto
