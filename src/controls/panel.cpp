// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel.h"

#include <QChildEvent>
#include <QGuiApplication>
#include <QPainter>

namespace sorvanto {

void setAlign(QWidget* control, Align align) { control->setProperty("align", static_cast<int>(align)); }

Align alignOf(const QWidget* control) {
    const QVariant value = control->property("align");
    return value.isValid() ? static_cast<Align>(value.toInt()) : Align::None;
}

void alignControls(QWidget* container, int frame) {
    QRect free = container->rect().adjusted(frame, frame, -frame, -frame);
    const auto children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (Align pass : {Align::Top, Align::Bottom, Align::Client}) {
        for (QWidget* child : children) {
            if (child->isHidden() || alignOf(child) != pass) continue;
            const int h = child->height();
            switch (pass) {
            case Align::Top:
                child->setGeometry(free.left(), free.top(), free.width(), h);
                free.setTop(free.top() + h);
                break;
            case Align::Bottom:
                child->setGeometry(free.left(), free.bottom() + 1 - h, free.width(), h);
                free.setBottom(free.bottom() - h);
                break;
            default: child->setGeometry(free.left(), free.top(), free.width(), std::max(0, free.height())); break;
            }
        }
    }
}

Panel::Panel(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

void Panel::setBevelInnerLowered(bool lowered) {
    bevelInnerLowered_ = lowered;
    update();
}

void Panel::setAutoSize(bool autoSize) { autoSize_ = autoSize; }

void Panel::setColour(TColor colour) {
    colour_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(colour, QGuiApplication::palette()));
    setPalette(p);
}

void Panel::fitToVisibleChildren() {
    QRect box;
    QList<QWidget*> visible;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden()) continue;
        visible.append(child);
        box = box.isNull() ? child->geometry() : box.united(child->geometry());
    }
    if (visible.isEmpty()) {
        resize(0, 0);
        return;
    }
    const int f = frameWidth();
    // A panel docked at an edge keeps the width that docking gives it.
    const bool docked = alignOf(this) != Align::None;
    const QPoint shift(docked ? 0 : f - box.left(), f - box.top());
    for (QWidget* child : visible) child->move(child->pos() + shift);
    resize(docked ? width() : box.width() + 2 * f, box.height() + 2 * f);
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette app = QGuiApplication::palette();
    const QColor light = toQColor(clBtnHighlight, app);
    const QColor shadow = toQColor(clBtnShadow, app);
    auto bevel = [&](QRect r, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    bevel(rect(), light, shadow);
    if (bevelInnerLowered_) bevel(rect().adjusted(1, 1, -1, -1), shadow, light);
}

void Panel::resizeEvent(QResizeEvent*) { realign(); }

void Panel::childEvent(QChildEvent* event) {
    if (event->added() && event->child()->isWidgetType()) event->child()->installEventFilter(this);
    QWidget::childEvent(event);
}

bool Panel::eventFilter(QObject* watched, QEvent* event) {
    auto* child = qobject_cast<QWidget*>(watched);
    if (child && child->parentWidget() == this) {
        switch (event->type()) {
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            if (autoSize_ && window()->isVisible()) fitToVisibleChildren();
            if (alignOf(child) != Align::None) realign();
            break;
        case QEvent::Resize:
            if (alignOf(child) != Align::None) realign();
            break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Panel::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

void Panel::realign() {
    if (aligning_) return;
    aligning_ = true;
    alignControls(this, frameWidth());
    aligning_ = false;
}

}  // namespace sorvanto
