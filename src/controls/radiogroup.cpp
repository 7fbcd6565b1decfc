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
        emit clicked();
    });
}

int RadioGroup::itemIndex() const { return index_; }

void RadioGroup::setItemIndex(int index) {
    index_ = index;
    if (QAbstractButton* item = group_->button(index)) item->setChecked(true);
}

}  // namespace sorvanto
