// SPDX-License-Identifier: GPL-3.0-or-later
#include "main.h"

#include "controls/doubleclick.h"
#include "controls/layoutscale.h"
#include "core/checked.h"
#include "core/later.h"
#include "core/points.h"
#include "main_layout.h"
#include "rules.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

// The window's pictures live in the library that holds the window.
static void initResources() { Q_INIT_RESOURCE(sorvanto); }

namespace sorvanto {

namespace {

// To a screen reader the window is a frame, as top-level windows are, not a part of one.
QAccessibleInterface* accessibleFrame(const QString&, QObject* object) {
    auto* form = qobject_cast<Tfrmmain*>(object);
    return form ? new QAccessibleWidget(form, QAccessible::Window) : nullptr;
}

FontChoice fontChoice(const layout::Font& font) {
    return {.name = QString::fromLatin1(font.name),
            .pointSize = layout::pointsFromPixels(font.height),
            .bold = font.bold,
            .colour = font.colour};
}

}  // namespace

Tfrmmain::Tfrmmain(const Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      FontDialog1(platform.dialogs, fontChoice(FontDialog1Font)),
      OpenDialog1(platform.dialogs, OpenDialog1Options),
      platform_(platform),
      title_(applicationTitle(QCoreApplication::applicationFilePath())) {
    initResources();
    [[maybe_unused]] static const bool frameInstalled = (QAccessible::installFactory(accessibleFrame), true);
    setObjectName(QString::fromLatin1(frmmainForm.name));
    setWindowTitle(layout::text(frmmainForm.caption));
    setWindowIcon(layout::icon(":/icons/sorvanto.png"));
    setFont(layout::toQFont(frmmainForm.font, font()));
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(frmmainForm.colour, QGuiApplication::palette()));
    p.setColor(QPalette::WindowText, toQColor(frmmainForm.font.colour, QGuiApplication::palette()));
    setPalette(p);
    normalClientSize_ = QSize(frmmainForm.clientWidth, frmmainForm.clientHeight);
    setFixedSize(normalClientSize_);

    layout::createControls(this, frmmainControls());
    Panel1 = control<Panel>("Panel1");
    Panel2 = control<Panel>("Panel2");
    btnspok1 = control<SpeedButton>("btnspok1");
    btnspexit = control<SpeedButton>("btnspexit");
    RichEdit1 = control<QTextEdit>("RichEdit1");
    Panel3 = control<Panel>("Panel3");
    Label4 = control<QLabel>("Label4");
    editmsg1 = control<QLineEdit>("editmsg1");
    rdgrpativo = control<RadioGroup>("rdgrpativo");
    Panel4 = control<Panel>("Panel4");
    Label2 = control<QLabel>("Label2");
    Spininterval = control<SpinEdit>("Spininterval");
    Panel5 = control<Panel>("Panel5");
    btnspfont = control<SpeedButton>("btnspfont");
    Label1 = control<QLabel>("Label1");
    Label3 = control<QLabel>("Label3");
    ColorBox1 = control<ColorBox>("ColorBox1");
    Panel6 = control<Panel>("Panel6");
    Labelsom = control<QLabel>("Labelsom");
    editsom = control<QLineEdit>("editsom");
    chkbxsom = control<QCheckBox>("chkbxsom");
    Timer1 = platform_.timers.createTimer();
    Timer2 = platform_.timers.createTimer();
    fillScreenCheck_.setSingleShot(true);
    fillScreenCheck_.setInterval(WindowManagerAnswerTime);
    createPopupMenu();
    platform_.notifyIcon.setHostMenu(PopupMenu1);
    connectHandlers();
    describeWindow();

    handle([this] { scaleToTextHeight(); });
    handle([this] { FormCreate(); });
    for (const layout::Control& c : frmmainControls()) {
        QWidget* widget = control<QWidget>(c.name);
        laidOutPlaces_[widget] = widget->geometry();
    }
    Panel2->installEventFilter(this);
}

// A screen reader tells the window by its title, then by what it says: the message line and the
// reminder text under it.
void Tfrmmain::describeWindow() { setAccessibleDescription(editmsg1->text() + u' ' + RichEdit1->toPlainText()); }

template <class Control>
Control* Tfrmmain::control(const char* name) {
    auto* widget = findChild<Control*>(QString::fromLatin1(name));
    Q_ASSERT_X(widget, "Tfrmmain", name);
    return widget;
}

void Tfrmmain::createPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (const layout::MenuItem& item : PopupMenu1Items()) {
        QAction* action = QLatin1String(item.caption) == QLatin1String("-")
                              ? PopupMenu1->addSeparator()
                              : PopupMenu1->addAction(layout::text(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
    }
    VelmoraSORVANTO1 = PopupMenu1->findChild<QAction*>(QStringLiteral("VelmoraSORVANTO1"));
    Configuraes1 = PopupMenu1->findChild<QAction*>(QStringLiteral("Configuraes1"));
    Sair1 = PopupMenu1->findChild<QAction*>(QStringLiteral("Sair1"));
}

void Tfrmmain::connectHandlers() {
    connect(btnspok1, &QToolButton::clicked, this, [this] { handle([this] { btnspexitClick(); }); });
    connect(btnspexit, &QToolButton::clicked, this, [this] { handle([this] { btnspexitClick(); }); });
    connect(rdgrpativo, &RadioGroup::clicked, this, [this] { handle([this] { rdgrpativoClick(); }); });
    connect(Panel2, &Panel::doubleClicked, this, [this] { handle([this] { Panel2DblClick(); }); });
    connect(Configuraes1, &QAction::triggered, this, [this] { handle([this] { Configuraes1Click(); }); });
    connect(Sair1, &QAction::triggered, this, [this] { handle([this] { Sair1Click(); }); });
    connect(btnspfont, &QToolButton::clicked, this, [this] { handle([this] { btnspfontClick(); }); });
    connect(ColorBox1, &ColorBox::clicked, this, [this] { handle([this] { ColorBox1Click(); }); });
    connect(ColorBox1, &ColorBox::changed, this, [this] { handle([this] { ColorBox1Change(); }); });
    ColorBox1->setCustomColourChooser([this](TColor current) {
        std::optional<TColor> chosen;
        handle([&] { chosen = platform_.dialogs.chooseColour(current); });
        return chosen;
    });
    onDoubleClick(editsom, [this] { handle([this] { editsomDblClick(); }); });
    connect(Timer1.get(), &Timer::ticked, this, [this] { handle([this] { Timer1Timer(); }); });
    connect(&fillScreenCheck_, &QTimer::timeout, this, &Tfrmmain::fillScreen);
    connect(editmsg1, &QLineEdit::textChanged, this, &Tfrmmain::describeWindow);
    connect(RichEdit1, &QTextEdit::textChanged, this, &Tfrmmain::describeWindow);
    connect(&platform_.notifyIcon, &NotifyIcon::trayMessage, this, [this](std::uint32_t message, int lParam) {
        if (message == TrayCallbackMessage) handle([=, this] { TrayIconCallback(lParam); });
    });
}

template <class Handler>
void Tfrmmain::handle(Handler handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        platform_.dialogs.showError(title_, errorBoxText(QString::fromLocal8Bit(error.what())));
    }
}

// Start-up and the ways out.

// A failed fit is shown but does not end the start: without the tray icon, the window of an armed
// reminder could not be reached again before its alert.
void Tfrmmain::FormCreate() {
    handle([this] { ScaleFormToScreen(); });
    AlertRaised = false;
    TrayIconData.cbSize = 88;
    TrayIconData.hWnd = this;
    TrayIconData.uID = 0;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = TrayCallbackMessage;
    TrayIconData.hIcon = windowIcon();
    TrayIconData.szTip = title_.left(TipCapacity);
    platform_.notifyIcon.Shell_NotifyIcon(NotifyIconMessage::NIM_ADD, TrayIconData);
}

// The layout's sizes are for a line of text DesignTextHeight pixels high in the window's font; where
// the fonts here make it otherwise, the layout follows the text.
void Tfrmmain::scaleToTextHeight() {
    const std::int32_t measured = platform_.screen.textHeight(font());
    if (measured == DesignTextHeight) return;
    const layout::ScaledLayout scaled(this, frmmainControls(), measured, DesignTextHeight);
    const QSize client = layout::scaledSize(size(), measured, DesignTextHeight);
    scaled.apply();
    setClientSize(client);
}

// The window is sized first to the screen's proportions, then everything in it, the window too, by
// the ratio of the screen's width to the one the layout was made on.
void Tfrmmain::ScaleFormToScreen() {
    const QSize screen = platform_.screen.size();
    // Without a screen there is nothing to fit.
    if (screen.isEmpty() || screen.width() == DesignScreenWidth) return;
    // The window is not framed before it is shown: its outer size counts the frame the desktop
    // says it will put around it, or none where the desktop cannot say.
    const QMargins frame = platform_.screen.frameMargins();
    const std::int32_t frameWidth = frame.left() + frame.right();
    const std::int32_t frameHeight = frame.top() + frame.bottom();
    const std::int32_t outerHeight = checkedMul(screen.height(), height() + frameHeight) / DesignScreenHeight;
    const std::int32_t outerWidth = checkedMul(screen.width(), width() + frameWidth) / DesignScreenWidth;

    const std::int32_t M = screen.width();
    const std::int32_t D = DesignScreenWidth;
    const layout::ScaledLayout scaled(this, frmmainControls(), M, D);
    const QSize client(MulDiv(outerWidth - frameWidth, M, D), MulDiv(outerHeight - frameHeight, M, D));
    // Sizing the window twice shrinks it faster than its controls on a narrow screen, cutting
    // them off, and grows it past a wide screen's edges: it keeps at least the room its scaled
    // controls take and at most the part of the screen that windows may take.
    const QSize room = platform_.screen.availableSize().shrunkBy(frame).expandedTo(QSize(1, 1));
    const QSize fitted = client.expandedTo(layout::scaledSize(size(), M, D)).boundedTo(room);
    scaled.apply();
    setClientSize(fitted);
}

// Docking is done at once, so that the places the configuration view comes back to are final.
void Tfrmmain::setClientSize(QSize size) {
    normalClientSize_ = size;
    setFixedSize(size);
    alignControls(this, 0);
    for (Panel* panel : findChildren<Panel*>()) alignControls(panel, panel->frameWidth());
}

void Tfrmmain::btnspexitClick() {
    platform_.notifyIcon.Shell_NotifyIcon(NotifyIconMessage::NIM_DELETE, TrayIconData);
    emit terminateRequested();
}

void Tfrmmain::Sair1Click() {
    Timer2->setEnabled(false);
    Timer1->setEnabled(false);
    QCoreApplication::processEvents();
    emit terminateRequested();
}

void Tfrmmain::FormCloseQuery(bool& CanClose) {
    Timer1->setEnabled(false);
    CanClose = true;
}

void Tfrmmain::FormClose() { platform_.notifyIcon.Shell_NotifyIcon(NotifyIconMessage::NIM_DELETE, TrayIconData); }

void Tfrmmain::closeEvent(QCloseEvent* event) {
    bool CanClose = true;
    handle([&] { FormCloseQuery(CanClose); });
    if (!CanClose) {
        event->ignore();
        return;
    }
    handle([this] { FormClose(); });
    event->accept();
    emit terminateRequested();
}

// Arming and the alert.

void Tfrmmain::rdgrpativoClick() {
    if (rdgrpativo->itemIndex() == 0) {
        setView(View::Armed);
        Timer1->setInterval(intervalMilliseconds(Spininterval->value()));
        hideWindow();
        Timer1->setEnabled(true);
    } else {
        Timer1->setEnabled(false);
    }
}

void Tfrmmain::Timer1Timer() {
    Timer1->setEnabled(false);
    editmsg1->setText(QString::number(Spininterval->value()) + QStringLiteral("  minuto(s) atrás ") +
                      QStringLiteral(" você pediu para lembrar que:"));
    setMaximized(true);
    AlertRaised = true;
    btnspok1->show();
    btnspexit->hide();
    setStayOnTop(true);
    if (chkbxsom->isChecked()) {
        try {
            platform_.sound.play(editsom->text());
        } catch (...) {
            // The alert matters more than its sound.
        }
    }
    announceWhenActive_ = true;
    // The alert comes while the user types elsewhere: the keys on their way must neither change the
    // reminder nor end it unseen, so the focus waits on the read-only message line, read from its start.
    editmsg1->setCursorPosition(0);
    editmsg1->setFocus(Qt::OtherFocusReason);
    showInFront();
    platform_.windowManager.bringToFront(*this);
}

// The views and the tray.

void Tfrmmain::FormShow() { WindowShown = true; }

void Tfrmmain::FormHide() { WindowShown = false; }

void Tfrmmain::Configuraes1Click() {
    if (WindowShown) {
        setView(View::Armed);
        setMaximized(false);
        setStayOnTop(false);
        hideWindow();
    } else {
        setView(View::Configuration);
        setMaximized(false);
        setStayOnTop(false);
        showInFront();
    }
}

void Tfrmmain::Panel2DblClick() {
    if (AlertRaised) return;
    WindowShown = false;
    hideWindow();
}

void Tfrmmain::TrayIconCallback(int mouseMessage) {
    switch (mouseMessage) {
    case WM_RBUTTONDOWN: platform_.pointer.TrackPopupMenu(*PopupMenu1, platform_.pointer.GetCursorPos()); break;
    case WM_MBUTTONDOWN: hideWindow(); break;
    default: break;
    }
}

void Tfrmmain::SysMenuCommand(unsigned wParam) {
    if ((wParam & 0xFFF0) == SC_MINIMIZE) hideWindow();
}

// The reminder's font, its background and its sound.

void Tfrmmain::btnspfontClick() {
    if (!FontDialog1.Execute()) return;
    const FontChoice& chosen = FontDialog1.Font;
    QPalette p = RichEdit1->palette();
    const QColor colour = toQColor(chosen.colour, QGuiApplication::palette());
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(role, colour);
    RichEdit1->setPalette(p);
    QFont font = RichEdit1->font();
    font.setPixelSize(layout::pixelsFromPoints(chosen.pointSize));
    font.setBold(chosen.bold);
    font.setItalic(chosen.italic);
    font.setUnderline(chosen.underline);
    font.setStrikeOut(chosen.strikeOut);
    font.setFamily(chosen.name);
    RichEdit1->setFont(font);
}

void Tfrmmain::ColorBox1Click() {
    QPalette p = RichEdit1->palette();
    const QColor colour = toQColor(ColorBox1->selectedColour(), QGuiApplication::palette());
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    RichEdit1->setPalette(p);
}

void Tfrmmain::ColorBox1Change() { ColorBox1Click(); }

void Tfrmmain::editsomDblClick() {
    OpenDialog1.Options.initialDir = QCoreApplication::applicationDirPath();
    if (!OpenDialog1.Execute()) return;
    editsom->setText(OpenDialog1.FileName());
}

// The configuration controls show in the configuration view and hide in the armed view, where
// the self-sizing panels shrink the top panel to a bar around the message line.
void Tfrmmain::setView(View view) {
    const bool configuring = view == View::Configuration;
    for (QWidget* c : std::initializer_list<QWidget*>{btnspfont, chkbxsom, Labelsom, editsom, Spininterval, Label2,
                                                      rdgrpativo, ColorBox1, Label1})
        c->setVisible(configuring);
    btnspok1->setVisible(!configuring);
    btnspexit->setVisible(configuring);
    for (QWidget* c : {Panel4, Panel5, Panel6}) c->setVisible(configuring);
    if (!configuring) return;
    restoreLaidOutPlaces();
    // As at start, the first stop of the tab order, not the message line an alert left the focus on.
    RichEdit1->setFocus(Qt::OtherFocusReason);
}

void Tfrmmain::restoreLaidOutPlaces() {
    for (const auto& [widget, place] : laidOutPlaces_) widget->setGeometry(place);
    keepButtonsInside();
}

// No control is anchored to the right, but a window narrower than the layout, such as a tiling
// window manager's share of the screen, must not cut off the bottom panel's buttons, "OK" above
// all: they move left as far as it takes.
void Tfrmmain::keepButtonsInside() {
    for (SpeedButton* button : {btnspok1, btnspexit}) {
        const QRect place = laidOutPlaces_.at(button);
        button->move(std::max(0, std::min(place.left(), Panel2->width() - place.width())), place.top());
    }
}

// The border is fixed for the user; only the alert maximizes the window. A window that the window
// manager maps already maximized may come on screen with parts of its first frame missing (under
// metacity's compositor they stay black until painted again), so a window that is not on screen
// is maximized once it is.
void Tfrmmain::setMaximized(bool maximized) {
    maximizeWhenExposed_ = maximized && !(windowHandle() && windowHandle()->isExposed());
    if (maximizeWhenExposed_) return;
    if (maximized) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        unminimize(Qt::WindowMaximized);
        fillScreenCheck_.start();
    } else {
        fillScreenCheck_.stop();
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        setFixedSize(normalClientSize_);
    }
}

// Tiling window managers do not maximize: they tile or float the window, or keep it under a
// fullscreen one. What they give the whole screen, in front of the others and focused, is a
// fullscreen window; so a maximized window that the window manager has left short of its screen
// becomes one.
void Tfrmmain::fillScreen() {
    const QRect available = screen()->availableGeometry();
    const QRect covered = frameGeometry() & available;
    const auto area = [](QRect r) { return std::int64_t{r.width()} * r.height(); };
    if (isHidden() || area(covered) * 10 >= area(available) * 9) return;
    setWindowState(Qt::WindowFullScreen);
}

void Tfrmmain::setStayOnTop(bool onTop) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}

// A window hidden on minimize would otherwise come back as an icon, and the alert be missed.
void Tfrmmain::showInFront() {
    // A window minimized in place of hiding was never hidden, and gets no show notification.
    const bool shownUnnotified = isVisible() && !WindowShown;
    unminimize({});
    show();
    raise();
    activateWindow();
    if (shownUnnotified) FormShow();
}

// A window minimized in place of hiding that the program brings back no longer waits for the user.
void Tfrmmain::unminimize(Qt::WindowStates states) {
    minimizedAsHidden_ = false;
    setWindowState((windowState() & ~Qt::WindowMinimized) | states);
}

// Hidden, the window is reached again through the tray icon. Where no tray is there to show it,
// the window is minimized instead and counts as hidden: it stays in the task list, from where the
// user brings it back as "Configurações" would. A window manager that does not minimize leaves it
// on screen, as if the user had brought it back at once.
void Tfrmmain::hideWindow() {
    if (platform_.notifyIcon.trayAvailable() || isHidden()) {
        hide();
        return;
    }
    minimizedAsHidden_ = true;
    FormHide();
    if (!platform_.windowManager.minimize(*this)) Configuraes1Click();
}

void Tfrmmain::setVisible(bool visible) {
    if (visible && !placed_) placeAtFirstShow();
    QWidget::setVisible(visible);
}

void Tfrmmain::placeAtFirstShow() {
    placed_ = true;
    const QSize desktop = platform_.screen.size();
    const QSize outer = size().grownBy(platform_.screen.frameMargins());
    move(std::max(0, (desktop.width() - outer.width()) / 2), std::max(0, (desktop.height() - outer.height()) / 2));
}

void Tfrmmain::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) handle([this] { FormShow(); });
    windowHandle()->installEventFilter(this);
    QWidget::showEvent(event);
}

void Tfrmmain::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) handle([this] { FormHide(); });
    QWidget::hideEvent(event);
}

// The window manager minimizes by changing the window's state; that is the minimize command. A
// window minimized in place of hiding that becomes the active one again was brought back by the
// user, from the task list or Alt+Tab.
void Tfrmmain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        if (isMinimized() && !(old & Qt::WindowMinimized)) handle([this] { SysMenuCommand(SC_MINIMIZE); });
    }
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && announceWhenActive_) {
        announceWhenActive_ = false;
        runLater(this, [this] { announce(); });
    }
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && minimizedAsHidden_)
        handle([this] { Configuraes1Click(); });
    QWidget::changeEvent(event);
}

// A screen reader that took the hidden window for the active one all along would say nothing of
// the alert; and the focus given back to a control is told too close after the window for it to say
// both. So once the focus is back, the window tells that it has it, which has the reader say its
// title, its message line and its reminder text at once.
void Tfrmmain::announce() {
    QAccessibleEvent focus(this, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void Tfrmmain::resizeEvent(QResizeEvent*) { alignControls(this, 0); }

bool Tfrmmain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel2 && event->type() == QEvent::Resize) keepButtonsInside();
    if (watched == windowHandle() && event->type() == QEvent::Expose && maximizeWhenExposed_ &&
        windowHandle()->isExposed())
        setMaximized(true);
    return QWidget::eventFilter(watched, event);
}

}  // namespace sorvanto
