// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../notifyicon.h"

#include <QSystemTrayIcon>
#include <memory>
#include <optional>

namespace sorvanto {

// The mouse message a tray sends for what Qt reports as an activation of its icon.
int mouseMessageFor(QSystemTrayIcon::ActivationReason reason);

// Qt's icon showing what the record asks for, with the menu that a tray host may draw itself;
// shown at once.
std::unique_ptr<QSystemTrayIcon> showTrayIcon(const NotifyIconData& data, QMenu* hostMenu = nullptr);

// The tray icon through Qt where Qt's tray is the system's own notification area, always there.
class QtTrayIcon final : public NotifyIcon {
    Q_OBJECT
public:
    bool Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) override;
    // The system's tray only reports presses; the program pops its own menu.
    void setHostMenu(QMenu*) override {}
    bool trayAvailable() const override;

private:
    std::optional<NotifyIconData> data_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace sorvanto
