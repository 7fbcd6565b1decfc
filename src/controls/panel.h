// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../core/colours.h"

#include <QWidget>

namespace sorvanto {

// Where a control sits in its parent: at a fixed place, or docked to an edge or the rest.
enum class Align { None, Top, Bottom, Client };

void setAlign(QWidget* control, Align align);
Align alignOf(const QWidget* control);

// Lays out the docked children of container inside its frame: top ones first, then bottom
// ones, then the one that takes what is left. Children at fixed places keep them.
void alignControls(QWidget* container, int frame);

// A panel with a raised one-pixel outer bevel and an optional lowered inner one. A panel that
// sizes itself to its contents fits around its visible children whenever one of them is shown
// or hidden while the window is on screen.
class Panel : public QWidget {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent);

    void setBevelInnerLowered(bool lowered);
    void setAutoSize(bool autoSize);
    void setColour(TColor colour);
    int frameWidth() const { return bevelInnerLowered_ ? 2 : 1; }

    void fitToVisibleChildren();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void realign();

    TColor colour_ = clBtnFace;
    bool bevelInnerLowered_ = false;
    bool autoSize_ = false;
    bool aligning_ = false;
};

}  // namespace sorvanto
