#include "qtnotifyicon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

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

// Qt speaks StatusNotifierItem when a watcher with a host is on the session bus; such hosts may
// draw the exported menu themselves. An XEmbed tray only reports presses, and there Qt would pop
// a menu of its own on top of the program's.
const QString StatusNotifierWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

bool statusNotifierHostRunning() {
    const QString& watcher = StatusNotifierWatcher;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher)) return false;
    QDBusMessage get = QDBusMessage::createMethodCall(watcher, QStringLiteral("/StatusNotifierWatcher"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

}  // namespace

bool QtNotifyIcon::Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) {
    switch (message) {
    case NotifyIconMessage::NIM_ADD: {
        if (icon_) return false;
        icon_ = std::make_unique<QSystemTrayIcon>();
        if (data.uFlags & NIF_ICON) icon_->setIcon(data.hIcon);
        if (data.uFlags & NIF_TIP) icon_->setToolTip(data.szTip.left(TipCapacity));
        if (hostMenu_ && statusNotifierHostRunning()) icon_->setContextMenu(hostMenu_);
        if (data.uFlags & NIF_MESSAGE) {
            // Reported as a posted message arrives: once Qt's handling of the activation is over.
            const std::uint32_t callback = data.uCallbackMessage;
            connect(icon_.get(), &QSystemTrayIcon::activated, this, [this, callback](auto reason) {
                const int lParam = mouseMessageFor(reason);
                QMetaObject::invokeMethod(
                    this, [this, callback, lParam] { emit trayMessage(callback, lParam); }, Qt::QueuedConnection);
            });
        }
        icon_->show();
        // A panel that restarts brings a new watcher, which knows nothing of the icon until it is
        // registered again; showing the icon anew registers it.
        watcherRestarts_ = std::make_unique<QDBusServiceWatcher>(
            StatusNotifierWatcher, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForRegistration);
        connect(watcherRestarts_.get(), &QDBusServiceWatcher::serviceRegistered, this, [this] {
            if (!icon_) return;
            icon_->hide();
            icon_->show();
        });
        return QSystemTrayIcon::isSystemTrayAvailable();
    }
    case NotifyIconMessage::NIM_DELETE:
        if (!icon_) return false;
        watcherRestarts_.reset();
        icon_.reset();
        return true;
    }
    return false;
}

}  // namespace sorvanto
