#include "qtnotifyicon.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace sorvanto {

namespace {

// Qt reports presses (XEmbed) or host calls (StatusNotifierItem) as activation reasons.
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

// Qt speaks StatusNotifierItem when a watcher is on the session bus; its hosts draw the
// exported menu themselves. An XEmbed tray only reports presses, and Qt would pop a menu
// of its own on top of the program's.
bool statusNotifierWatcherRunning() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

}  // namespace

bool QtNotifyIcon::Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) {
    switch (message) {
    case NotifyIconMessage::NIM_ADD: {
        if (icon_) return false;
        icon_ = std::make_unique<QSystemTrayIcon>();
        if (data.uFlags & NIF_ICON) icon_->setIcon(data.hIcon);
        if (data.uFlags & NIF_TIP) icon_->setToolTip(data.szTip.left(TipCapacity));
        if (hostMenu_ && statusNotifierWatcherRunning()) icon_->setContextMenu(hostMenu_);
        if (data.uFlags & NIF_MESSAGE) {
            QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                             [target = data.hWnd, callback = data.uCallbackMessage](auto reason) {
                                 if (target)
                                     QCoreApplication::postEvent(
                                         target, new TrayMessageEvent(callback, mouseMessageFor(reason)));
                             });
        }
        icon_->show();
        return QSystemTrayIcon::isSystemTrayAvailable();
    }
    case NotifyIconMessage::NIM_DELETE:
        if (!icon_) return false;
        icon_.reset();
        return true;
    }
    return false;
}

}  // namespace sorvanto
