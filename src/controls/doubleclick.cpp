// SPDX-License-Identifier: GPL-3.0-or-later
#include "doubleclick.h"

#include <QMouseEvent>

namespace sorvanto {

namespace {

class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QWidget* control, std::function<void()> handler)
        : QObject(control), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick ||
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        watched->event(event);
        handler_();
        return true;
    }

private:
    std::function<void()> handler_;
};

}  // namespace

void onDoubleClick(QWidget* control, std::function<void()> handler) {
    control->installEventFilter(new DoubleClickFilter(control, std::move(handler)));
}

}  // namespace sorvanto
