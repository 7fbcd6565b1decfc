// SPDX-License-Identifier: GPL-3.0-or-later
#include "hiddenwindow.h"

#include <utility>
#include <windows.h>

namespace sorvanto {

struct HiddenWindow::Handle {
    HWND window = nullptr;

    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* owner = reinterpret_cast<HiddenWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (owner && owner->handler_(message)) return 0;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
};

HiddenWindow::HiddenWindow(const wchar_t* windowClass, Handler handler)
    : handle_(std::make_unique<Handle>()), handler_(std::move(handler)) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = &Handle::proc;
    description.hInstance = ::GetModuleHandleW(nullptr);
    description.lpszClassName = windowClass;
    // A class registered already, by an earlier window of it, serves as it is.
    ::RegisterClassExW(&description);
    handle_->window = ::CreateWindowExW(0, windowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    if (handle_->window) ::SetWindowLongPtrW(handle_->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HiddenWindow::~HiddenWindow() {
    if (handle_->window) ::DestroyWindow(handle_->window);
}

}  // namespace sorvanto
