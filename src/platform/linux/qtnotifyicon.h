// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../notifyicon.h"
#include "../qt/qttrayicon.h"
#include "x11tray.h"

#include <QDBusServiceWatcher>
#include <QPoint>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>
#include <optional>

namespace sorvanto {

// The tray icon through Qt: StatusNotifierItem where a host is on the session bus, XEmbed where an
// X11 tray is. Qt makes that choice once for the whole run, when it creates its first icon; the
// icon is therefore created only once a tray is there to take it, so that a panel started after
// the program gets it, whichever of the two it speaks.
class QtNotifyIcon final : public NotifyIcon {
    Q_OBJECT
public:
    QtNotifyIcon();
    bool Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) override;
    void setHostMenu(QMenu* menu) override { hostMenu_ = menu; }
    bool trayAvailable() const override;
    // Where the tray said the click being reported was, when it said.
    std::optional<QPoint> clickPlace() const { return clickPlace_; }

private slots:
    void followTrays();

private:
    enum class Protocol { Undecided, StatusNotifierItem, XEmbed };
    void createIcon(Protocol protocol);
    void report(QSystemTrayIcon::ActivationReason reason);

    std::optional<NotifyIconData> data_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    QPointer<QMenu> hostMenu_;
    Protocol protocol_ = Protocol::Undecided;
    QDBusServiceWatcher watchers_;
    X11Tray xembedTray_;
    QTimer waitForHost_;
    std::optional<QPoint> clickPlace_;
};

}  // namespace sorvanto
