// SPDX-License-Identifier: GPL-3.0-or-later
#include "spinedit.h"

#include "../rules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QToolButton>
#include <algorithm>

namespace sorvanto {

namespace {

constexpr int ButtonWidth = 15;
constexpr int RepeatDelay = 400;
constexpr int RepeatInterval = 100;

QToolButton* makeStepButton(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAccessibleName(arrow == Qt::UpArrow ? QStringLiteral("+") : QStringLiteral("-"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(RepeatDelay);
    button->setAutoRepeatInterval(RepeatInterval);
    return button;
}

}  // namespace

SpinEdit::SpinEdit(QWidget* parent)
    : QLineEdit(parent), up_(makeStepButton(this, Qt::UpArrow)), down_(makeStepButton(this, Qt::DownArrow)) {
    setTextMargins(0, 0, ButtonWidth, 0);
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void SpinEdit::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

int SpinEdit::value() const { return parseWholeNumber(text()).value_or(minimum_); }

void SpinEdit::setValue(int value) { setText(QString::number(clamped(value))); }

void SpinEdit::step(int delta) { setValue(clamped(static_cast<long long>(value()) + delta)); }

int SpinEdit::clamped(long long value) const {
    return static_cast<int>(std::clamp<long long>(value, minimum_, maximum_));
}

bool SpinEdit::accepts(QChar typed) const {
    return (typed >= u'0' && typed <= u'9') || typed == u'+' || typed == u'-' ||
           typed == locale().decimalPoint().front() || typed.category() == QChar::Other_Control;
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up: step(+1); return;
    case Qt::Key_Down: step(-1); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: QApplication::beep(); return;
    default: break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && !std::all_of(typed.begin(), typed.end(), [this](QChar c) { return accepts(c); })) {
        QApplication::beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    if (const auto number = parseWholeNumber(text()); number && clamped(*number) != *number) setValue(*number);
    QLineEdit::focusOutEvent(event);
}

void SpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(width() - ButtonWidth, 0, ButtonWidth, half);
    down_->setGeometry(width() - ButtonWidth, half, ButtonWidth, height() - half);
}

}  // namespace sorvanto
