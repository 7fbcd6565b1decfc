// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "choosers.h"
#include "controls/colorbox.h"
#include "controls/panel.h"
#include "controls/radiogroup.h"
#include "controls/speedbutton.h"
#include "controls/spinedit.h"
#include "platform/platform.h"
#include "rules.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

namespace sorvanto {

constexpr std::uint32_t TrayCallbackMessage = WM_USER + 1;
constexpr unsigned SC_MINIMIZE = 0xF020;

// The screen the window was laid out on, and the height of a line of text in the window's font there.
constexpr std::int32_t DesignScreenWidth = 800;
constexpr std::int32_t DesignScreenHeight = 600;
constexpr std::int32_t DesignTextHeight = 13;

// Window managers that maximize a window have done it well within this many milliseconds of being asked.
constexpr int WindowManagerAnswerTime = 1000;

// The main window: the reminder's configuration, its armed bar and its alert.
class Tfrmmain : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmmain(const Platform& platform, QWidget* parent = nullptr);

    NotifyIconData TrayIconData;
    bool WindowShown = false;
    bool AlertRaised = false;

    Panel* Panel1;
    Panel* Panel2;
    SpeedButton* btnspok1;
    SpeedButton* btnspexit;
    QTextEdit* RichEdit1;
    Panel* Panel3;
    QLabel* Label4;
    QLineEdit* editmsg1;
    RadioGroup* rdgrpativo;
    Panel* Panel4;
    QLabel* Label2;
    SpinEdit* Spininterval;
    Panel* Panel5;
    SpeedButton* btnspfont;
    QLabel* Label1;
    QLabel* Label3;
    ColorBox* ColorBox1;
    Panel* Panel6;
    QLabel* Labelsom;
    QLineEdit* editsom;
    QCheckBox* chkbxsom;
    std::unique_ptr<Timer> Timer1;
    std::unique_ptr<Timer> Timer2;
    QMenu* PopupMenu1;
    QAction* VelmoraSORVANTO1;
    QAction* Configuraes1;
    QAction* Sair1;
    FontDialog FontDialog1;
    OpenDialog OpenDialog1;

public slots:
    // The event handlers. Whatever reports an event runs its handler through the window's error
    // handling.
    void FormCreate();
    void ScaleFormToScreen();
    void FormShow();
    void FormHide();
    void FormCloseQuery(bool& CanClose);
    void FormClose();
    void btnspexitClick();
    void Sair1Click();
    void rdgrpativoClick();
    void Timer1Timer();
    void Configuraes1Click();
    void Panel2DblClick();
    void TrayIconCallback(int mouseMessage);
    void SysMenuCommand(unsigned wParam);
    void btnspfontClick();
    void ColorBox1Click();
    void ColorBox1Change();
    void editsomDblClick();

public:
    void setVisible(bool visible) override;

signals:
    // The message loop is to end.
    void terminateRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class View { Configuration, Armed };

    template <class Control>
    Control* control(const char* name);
    void describeWindow();
    void announce();
    void createPopupMenu();
    void connectHandlers();
    // Runs an event handler; an error that escapes it is shown, and the program goes on.
    template <class Handler>
    void handle(Handler handler);

    void scaleToTextHeight();
    void setClientSize(QSize size);
    void setView(View view);
    void restoreLaidOutPlaces();
    void keepButtonsInside();
    void setMaximized(bool maximized);
    void fillScreen();
    void setStayOnTop(bool onTop);
    void showInFront();
    void hideWindow();
    void unminimize(Qt::WindowStates states);
    void placeAtFirstShow();

    Platform platform_;
    QString title_;
    QSize normalClientSize_;
    std::map<QWidget*, QRect> laidOutPlaces_;
    bool placed_ = false;
    bool minimizedAsHidden_ = false;
    bool maximizeWhenExposed_ = false;
    // Whether the window manager has left the maximized window short of its screen.
    QTimer fillScreenCheck_;
    // The alert is told to a screen reader once the window is active.
    bool announceWhenActive_ = false;
};

}  // namespace sorvanto
