#include "notifyicon.h"

namespace sorvanto {

TrayMessageEvent::TrayMessageEvent(std::uint32_t message, int lParam)
    : QEvent(eventType()), message_(message), lParam_(lParam) {}

QEvent::Type TrayMessageEvent::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

}  // namespace sorvanto
