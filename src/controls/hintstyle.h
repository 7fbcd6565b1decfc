// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace sorvanto {

// The contrast of two colours, from 1 (the same lightness) to 21 (black and white).
inline double contrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour that marks the focus over background: the palette's highlight where it stands out
// from the background as a focus mark must, else black or white, whichever stands out more.
inline QColor focusMarkColour(const QPalette& palette, const QColor& background) {
    constexpr double Visible = 3.0;
    const QColor highlight = palette.color(QPalette::Highlight);
    if (contrastRatio(highlight, background) >= Visible) return highlight;
    return contrastRatio(Qt::black, background) > contrastRatio(Qt::white, background) ? QColor(Qt::black)
                                                                                       : QColor(Qt::white);
}

// The desktop's style with the window's timing and focus marks: tooltips show after the mouse has
// rested 500 ms over a control, and the control with the keyboard focus is marked by a solid ring
// that shows on each of the window's colours, the navy panel's too, where the desktop's marks are
// faint or missing (a read-only field has no caret).
class HintStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return 500;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    // A text area's frame is as wide as the ring, which would otherwise hide under the text.
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_DefaultFrameWidth && qobject_cast<const QTextEdit*>(widget) ? std::max(value, RingWidth)
                                                                                        : value;
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const bool focused = option->state & State_HasFocus;
        switch (element) {
        // Items and boxes: once the keyboard has moved the focus, as the desktop shows them.
        case PE_FrameFocusRect:
            if (option->state & State_KeyboardFocusChange) {
                const auto* frame = qstyleoption_cast<const QStyleOptionFocusRect*>(option);
                const bool onColour = frame && frame->backgroundColor.isValid();
                // A check box without text marks the focus on its white box, not around it.
                const auto* box = qobject_cast<const QCheckBox*>(widget);
                const QPalette::ColorRole under = box && box->text().isEmpty() ? QPalette::Base : QPalette::Window;
                drawFocusRing(painter, option->rect, option->palette,
                              onColour ? frame->backgroundColor : option->palette.color(under));
            }
            return;
        // Fields and the text area: whenever they have the focus, as a caret would show.
        case PE_PanelLineEdit:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            if (focused) drawFocusRing(painter, option->rect, option->palette, option->palette.color(QPalette::Base));
            return;
        case PE_Frame:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            if (focused && qobject_cast<const QTextEdit*>(widget))
                drawFocusRing(painter, option->rect, option->palette, option->palette.color(QPalette::Base));
            return;
        default: QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }

private:
    static constexpr int RingWidth = 2;

    static void drawFocusRing(QPainter* painter, const QRect& rect, const QPalette& palette, const QColor& background) {
        const QColor colour = focusMarkColour(palette, background);
        const QRect inside = rect.adjusted(RingWidth, RingWidth, -RingWidth, -RingWidth);
        for (const QRect& side : QRegion(rect).subtracted(inside)) painter->fillRect(side, colour);
    }
};

}  // namespace sorvanto
