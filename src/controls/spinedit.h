// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

class QToolButton;

namespace sorvanto {

// A whole-number field with up and down buttons. Steps clamp to the range; leaving the field
// brings a typed number back into it and leaves other text alone; reading does not clamp.
class SpinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // The text as a whole number, unclamped; the minimum when it is not one.
    int value() const;
    void setValue(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);
    int clamped(long long value) const;
    bool accepts(QChar typed) const;

    int minimum_ = 0;
    int maximum_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace sorvanto
