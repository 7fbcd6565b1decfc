#pragma once

#include "../notifyicon.h"

#include <QDBusServiceWatcher>
#include <QPointer>
#include <QSystemTrayIcon>
#include <memory>

namespace sorvanto {

// The tray icon through Qt: StatusNotifierItem where a watcher runs on the session bus,
// XEmbed otherwise.
class QtNotifyIcon final : public NotifyIcon {
public:
    bool Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) override;
    void setHostMenu(QMenu* menu) override { hostMenu_ = menu; }

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    QPointer<QMenu> hostMenu_;
    std::unique_ptr<QDBusServiceWatcher> watcherRestarts_;
};

}  // namespace sorvanto
