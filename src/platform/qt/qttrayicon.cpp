// SPDX-License-Identifier: GPL-3.0-or-later
#include "qttrayicon.h"

#include "core/later.h"

namespace sorvanto {

// Qt reports presses (the system's tray, XEmbed) or host calls (StatusNotifierItem) as activation
// reasons.
int mouseMessageFor(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Context: return WM_RBUTTONDOWN;
    case QSystemTrayIcon::MiddleClick: return WM_MBUTTONDOWN;
    case QSystemTrayIcon::DoubleClick: return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::Trigger: return WM_LBUTTONDOWN;
    case QSystemTrayIcon::Unknown: break;
    }
    return WM_MOUSEMOVE;
}

std::unique_ptr<QSystemTrayIcon> showTrayIcon(const NotifyIconData& data, QMenu* hostMenu) {
    auto icon = std::make_unique<QSystemTrayIcon>();
    if (data.uFlags & NIF_ICON) icon->setIcon(data.hIcon);
    if (data.uFlags & NIF_TIP) icon->setToolTip(data.szTip.left(TipCapacity));
    if (hostMenu) icon->setContextMenu(hostMenu);
    icon->show();
    return icon;
}

bool QtTrayIcon::Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) {
    switch (message) {
    case NotifyIconMessage::NIM_ADD:
        if (data_) return false;
        data_ = data;
        icon_ = showTrayIcon(data);
        icon_->setParent(this);
        if (data.uFlags & NIF_MESSAGE) {
            const std::uint32_t callback = data.uCallbackMessage;
            // Reported as a posted message arrives: once Qt's handling of the activation is over.
            connect(icon_.get(), &QSystemTrayIcon::activated, this, [this, callback](auto reason) {
                const int lParam = mouseMessageFor(reason);
                runLater(this, [this, callback, lParam] { emit trayMessage(callback, lParam); });
            });
        }
        return true;
    case NotifyIconMessage::NIM_DELETE:
        if (!data_) return false;
        icon_.reset();
        data_.reset();
        return true;
    }
    return false;
}

bool QtTrayIcon::trayAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace sorvanto
