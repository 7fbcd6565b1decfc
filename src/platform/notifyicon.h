// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace sorvanto {

// Mouse message numbers with which the tray reports what happened over the icon.
enum MouseMessage : int {
    WM_MOUSEMOVE = 512,
    WM_LBUTTONDOWN = 513,
    WM_LBUTTONUP = 514,
    WM_LBUTTONDBLCLK = 515,
    WM_RBUTTONDOWN = 516,
    WM_RBUTTONUP = 517,
    WM_RBUTTONDBLCLK = 518,
    WM_MBUTTONDOWN = 519,
};

constexpr std::uint32_t WM_USER = 1024;
constexpr std::uint32_t NIF_MESSAGE = 1;
constexpr std::uint32_t NIF_ICON = 2;
constexpr std::uint32_t NIF_TIP = 4;
constexpr int TipCapacity = 63;

// The record that identifies the tray icon for the whole run and says what it shows.
struct NotifyIconData {
    std::uint32_t cbSize = 88;
    QPointer<QWidget> hWnd;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    QIcon hIcon;
    QString szTip;
};

enum class NotifyIconMessage { NIM_ADD, NIM_DELETE };

// The desktop's notification area. Results are reported but callers may ignore them: a
// desktop without a tray leaves the program running without an icon.
class NotifyIcon : public QObject {
    Q_OBJECT
public:
    virtual bool Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) = 0;
    // The menu for trays that draw the icon's menu themselves instead of reporting the press.
    virtual void setHostMenu(QMenu* menu) = 0;
    // Whether a tray is there to show the icon, from which a hidden window can be brought back.
    virtual bool trayAvailable() const = 0;

signals:
    // What the tray sends the icon's hWnd for mouse activity over an icon added with NIF_MESSAGE:
    // the record's uCallbackMessage, with the mouse message in lParam.
    void trayMessage(std::uint32_t message, int lParam);
};

}  // namespace sorvanto
