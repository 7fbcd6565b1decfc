// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtnotifyicon.h"

#include "core/later.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

QT_BEGIN_NAMESPACE
// Qt's D-Bus module calls these hooks with every method call that the program receives, before it
// delivers the call. It exports the function, in the interface version of its public API, without
// declaring it in a header. It is the one way to the place that a host's ContextMenu(x, y) call
// names: Qt's item reports the call as an activation and drops the place, and no public API
// reaches a call to an object that Qt itself exports. Only an item of the program's own, the
// whole StatusNotifierItem protocol and its menu, would do without it.
void qDBusAddSpyHook(void (*hook)(const QDBusMessage&));
QT_END_NAMESPACE

namespace sorvanto {

namespace {

const QString StatusNotifierWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString StatusNotifierWatcherPath = QStringLiteral("/StatusNotifierWatcher");

bool statusNotifierHostRunning() {
    const QString& watcher = StatusNotifierWatcher;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher)) return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcher, StatusNotifierWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

// A panel that comes up with both protocols seldom registers both at the same moment.
// StatusNotifierItem, whose hosts can draw the program's menu themselves, is worth that long a wait.
constexpr int HostWaitMilliseconds = 1500;

// The place that the last ContextMenu call from a StatusNotifierItem host gave, until the icon
// reports the call. Qt's item drops it.
std::optional<QPoint> contextMenuPlace;

void notePlaceOfContextMenu(const QDBusMessage& call) {
    if (call.member() != QLatin1String("ContextMenu") ||
        call.interface() != QLatin1String("org.kde.StatusNotifierItem") || call.signature() != QLatin1String("ii"))
        return;
    contextMenuPlace = QPoint(call.arguments().at(0).toInt(), call.arguments().at(1).toInt());
}

}  // namespace

QtNotifyIcon::QtNotifyIcon()
    : watchers_(StatusNotifierWatcher, QDBusConnection::sessionBus(),
                QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration) {
    static const bool hooked = (qDBusAddSpyHook(notePlaceOfContextMenu), true);
    Q_UNUSED(hooked);
    connect(&watchers_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        // A panel that restarts brings a new watcher, which knows nothing of the icon until it is
        // registered again; showing the icon anew registers it.
        if (icon_ && protocol_ == Protocol::StatusNotifierItem) {
            icon_->hide();
            icon_->show();
        }
        followTrays();
    });
    connect(&watchers_, &QDBusServiceWatcher::serviceUnregistered, this, &QtNotifyIcon::followTrays);
    for (const char* hostChange : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        QDBusConnection::sessionBus().connect(QString(), StatusNotifierWatcherPath, StatusNotifierWatcher,
                                              QLatin1String(hostChange), this, SLOT(followTrays()));
    connect(&xembedTray_, &X11Tray::changed, this, &QtNotifyIcon::followTrays);
    waitForHost_.setSingleShot(true);
    waitForHost_.setInterval(HostWaitMilliseconds);
    connect(&waitForHost_, &QTimer::timeout, this, [this] {
        if (data_ && protocol_ == Protocol::Undecided && xembedTray_.running()) createIcon(Protocol::XEmbed);
    });
}

bool QtNotifyIcon::Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) {
    switch (message) {
    case NotifyIconMessage::NIM_ADD:
        if (data_) return false;
        data_ = data;
        // A tray that is there already is the user's, and takes the icon at once.
        if (statusNotifierHostRunning())
            createIcon(Protocol::StatusNotifierItem);
        else if (xembedTray_.running())
            createIcon(Protocol::XEmbed);
        return true;
    case NotifyIconMessage::NIM_DELETE:
        if (!data_) return false;
        waitForHost_.stop();
        icon_.reset();
        data_.reset();
        return true;
    }
    return false;
}

// Once Qt has chosen, only a tray of that protocol shows the icon.
bool QtNotifyIcon::trayAvailable() const {
    switch (protocol_) {
    case Protocol::StatusNotifierItem: return statusNotifierHostRunning();
    case Protocol::XEmbed: return xembedTray_.running();
    case Protocol::Undecided: break;
    }
    return statusNotifierHostRunning() || xembedTray_.running();
}

void QtNotifyIcon::followTrays() {
    if (!data_ || protocol_ != Protocol::Undecided) return;
    if (statusNotifierHostRunning()) {
        waitForHost_.stop();
        createIcon(Protocol::StatusNotifierItem);
    } else if (xembedTray_.running() && !waitForHost_.isActive()) {
        waitForHost_.start();
    }
}

void QtNotifyIcon::createIcon(Protocol protocol) {
    protocol_ = protocol;
    // A StatusNotifierItem host may draw the exported menu itself. An XEmbed tray only reports
    // presses, and there Qt would pop a menu of its own on top of the program's.
    icon_ = showTrayIcon(*data_, protocol == Protocol::StatusNotifierItem ? hostMenu_.data() : nullptr);
    if (data_->uFlags & NIF_MESSAGE) connect(icon_.get(), &QSystemTrayIcon::activated, this, &QtNotifyIcon::report);
}

void QtNotifyIcon::report(QSystemTrayIcon::ActivationReason reason) {
    const std::uint32_t callback = data_->uCallbackMessage;
    const int lParam = mouseMessageFor(reason);
    std::optional<QPoint> place;
    if (reason == QSystemTrayIcon::Context && protocol_ == Protocol::StatusNotifierItem)
        place = std::exchange(contextMenuPlace, std::nullopt);
    // Reported as a posted message arrives: once Qt's handling of the activation is over.
    runLater(this, [this, callback, lParam, place] {
        clickPlace_ = place;
        emit trayMessage(callback, lParam);
        clickPlace_.reset();
    });
}

}  // namespace sorvanto
