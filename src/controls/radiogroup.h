// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace sorvanto {

// A frame of radio items in columns. clicked() is raised only when an item that was not
// selected becomes selected.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(QWidget* parent, const QStringList& items, int columns);

    int itemIndex() const;
    void setItemIndex(int index);

signals:
    void clicked();

private:
    void tabToSelected();

    QButtonGroup* group_;
    int index_ = -1;
};

}  // namespace sorvanto
