// SPDX-License-Identifier: GPL-3.0-or-later
#include "layouttable.h"

#include "../core/later.h"
#include "colorbox.h"
#include "radiogroup.h"
#include "speedbutton.h"
#include "spinedit.h"

#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <algorithm>
#include <map>
#include <set>

namespace sorvanto::layout {

namespace {

constexpr int TooltipDuration = 2500;
constexpr int MaxPixelRatio = 4;

// A single-line edit that may keep its text unselected when the keyboard enters it: the caret then
// goes to the start and the text shows from there, as it did before.
class Edit : public QLineEdit {
public:
    Edit(const QString& text, QWidget* parent, bool autoSelect) : QLineEdit(text, parent), autoSelect_(autoSelect) {}

protected:
    void focusInEvent(QFocusEvent* event) override {
        const Qt::FocusReason reason = event->reason();
        if (autoSelect_ ||
            (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason)) {
            QLineEdit::focusInEvent(event);
            return;
        }
        // A screen reader that hears of the caret moving before it hears of the focus takes the line
        // for the one it is at already, and says nothing of it. So the line does not select its text
        // on entry, and a caret left elsewhere goes back to the start once the focus has been told,
        // before the line is painted again.
        QFocusEvent entered(QEvent::FocusIn, Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&entered);
        if (hasSelectedText() || cursorPosition() != 0)
            runLater(this, [this] {
                deselect();
                setCursorPosition(0);
            });
    }

private:
    bool autoSelect_;
};

QWidget* createWidget(const Control& c, QWidget* parent) {
    switch (c.kind) {
    case Kind::Panel: {
        auto* panel = new Panel(parent);
        panel->setBevelInnerLowered(c.bevelInnerLowered);
        panel->setAutoSize(c.autoSize);
        if (c.colour) panel->setColour(*c.colour);
        return panel;
    }
    case Kind::SpeedButton: {
        auto* button = new SpeedButton(parent);
        button->setText(text(c.text));
        if (c.glyph) button->setGlyph(renderings(c.glyph));
        return button;
    }
    case Kind::RichEdit: {
        auto* edit = new QTextEdit(parent);
        edit->setAcceptRichText(false);
        edit->setLineWrapMode(QTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        edit->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
        edit->setPlainText(text(c.text));
        // Enter starts a new line; Tab moves on to the next control, as everywhere else.
        edit->setTabChangesFocus(true);
        return edit;
    }
    case Kind::Label: return new QLabel(text(c.text), parent);
    case Kind::Edit: {
        auto* edit = new Edit(text(c.text), parent, c.autoSelect);
        edit->setReadOnly(c.readOnly);
        edit->setFrame(c.border);
        edit->setCursorPosition(0);
        return edit;
    }
    case Kind::RadioGroup: {
        QStringList items;
        for (const char* item : c.items)
            if (item) items << text(item);
        auto* group = new RadioGroup(parent, items, c.columns);
        group->setItemIndex(c.itemIndex);
        return group;
    }
    case Kind::SpinEdit: {
        auto* spin = new SpinEdit(parent);
        spin->setRange(c.minValue, c.maxValue);
        spin->setText(text(c.text));
        return spin;
    }
    case Kind::ColorBox: {
        auto* box = new ColorBox(parent);
        if (c.dropDownCount > 0) box->setMaxVisibleItems(c.dropDownCount);
        if (c.itemHeight > 0) box->setItemHeight(c.itemHeight);
        if (c.selected) box->selectColour(*c.selected);
        return box;
    }
    case Kind::CheckBox: return new QCheckBox(text(c.text), parent);
    }
    return nullptr;
}

void applyColours(QWidget* widget, const Control& c) {
    QPalette p = widget->palette();
    const QPalette app = QGuiApplication::palette();
    if (c.font)
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(role, toQColor(c.font->colour, app));
    if (c.colour && c.kind != Kind::Panel) {
        p.setColor(QPalette::Base, toQColor(*c.colour, app));
        p.setColor(QPalette::Window, toQColor(*c.colour, app));
    }
    widget->setPalette(p);
}

// The stops a control gives the tab key: itself when it takes the focus, or else the parts of
// its own that do (a radio group's items), never the controls the table places inside it.
void appendTabStops(std::vector<QWidget*>& order, QWidget* control, const std::set<QWidget*>& tableControls) {
    if (control->focusPolicy() != Qt::NoFocus) {
        order.push_back(control);
        return;
    }
    for (QWidget* part : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!tableControls.contains(part) && part->focusPolicy() != Qt::NoFocus) order.push_back(part);
}

// Chains the controls in the order the tab key visits them: each parent's children by their tab
// order, where a container takes its place with its children in theirs. Controls without a tab
// order keep the place their creation gave them; the window skips hidden ones as it goes.
void chainTabOrder(QWidget* form, std::span<const Control> controls) {
    std::map<QString, std::vector<const Control*>> byParent;
    std::set<QWidget*> tableControls;
    for (const Control& c : controls) {
        if (c.tabOrder >= 0) byParent[QString::fromLatin1(c.parent)].push_back(&c);
        tableControls.insert(form->findChild<QWidget*>(QString::fromLatin1(c.name)));
    }
    std::vector<QWidget*> order;
    auto visit = [&](auto&& self, const QString& parent) -> void {
        auto& siblings = byParent[parent];
        std::stable_sort(siblings.begin(), siblings.end(),
                         [](const Control* a, const Control* b) { return a->tabOrder < b->tabOrder; });
        for (const Control* c : siblings) {
            appendTabStops(order, form->findChild<QWidget*>(QString::fromLatin1(c->name)), tableControls);
            self(self, QString::fromLatin1(c->name));
        }
    };
    visit(visit, form->objectName());
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace

QString text(const char* utf8) { return QString::fromUtf8(utf8 ? utf8 : ""); }

QFont toQFont(const Font& font, const QFont& base) {
    QFont f = base;
    f.setFamily(QString::fromLatin1(font.name));
    f.setPixelSize(font.height);
    f.setBold(font.bold);
    return f;
}

QList<QPixmap> renderings(const char* path) {
    const QString name = QString::fromLatin1(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    QList<QPixmap> pictures{QPixmap(name)};
    for (int ratio = 2; ratio <= MaxPixelRatio; ++ratio) {
        const QString larger = name.left(dot) + QStringLiteral("@%1x").arg(ratio) + name.mid(dot);
        if (QFile::exists(larger)) pictures << QPixmap(larger);
    }
    return pictures;
}

QIcon icon(const char* path) {
    QIcon result;
    for (const QPixmap& picture : renderings(path)) result.addPixmap(picture);
    return result;
}

void createControls(QWidget* form, std::span<const Control> controls) {
    for (const Control& c : controls) {
        auto* parent = form->objectName() == QLatin1String(c.parent)
                           ? form
                           : form->findChild<QWidget*>(QString::fromLatin1(c.parent));
        QWidget* widget = createWidget(c, parent);
        widget->setObjectName(QString::fromLatin1(c.name));
        widget->setGeometry(c.left, c.top, c.width, c.height);
        setAlign(widget, c.align);
        if (c.font) widget->setFont(toQFont(*c.font, widget->font()));
        applyColours(widget, c);
        if (c.hint) {
            widget->setToolTip(text(c.hint));
            widget->setToolTipDuration(TooltipDuration);
            widget->setAccessibleDescription(text(c.hint));
        }
        const char* name = c.accessibleName ? c.accessibleName : (*c.text ? c.text : c.hint);
        if (name) widget->setAccessibleName(text(name));
        widget->setVisible(c.visible);
    }
    chainTabOrder(form, controls);
}

}  // namespace sorvanto::layout
