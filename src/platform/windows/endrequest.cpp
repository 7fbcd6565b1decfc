// SPDX-License-Identifier: GPL-3.0-or-later
#include "endrequest.h"

#include "core/later.h"

#include <windows.h>

namespace sorvanto {

namespace {

LRESULT CALLBACK endRequestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        if (auto* request = reinterpret_cast<EndRequest*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) request->end();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

struct EndRequest::Handle {
    HWND window = nullptr;
};

EndRequest::EndRequest(QWidget& window) : handle_(std::make_unique<Handle>()), window_(&window) {
    static const ATOM windowClass = [] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = endRequestProc;
        description.hInstance = ::GetModuleHandleW(nullptr);
        description.lpszClassName = WindowClass;
        return ::RegisterClassExW(&description);
    }();
    // A top-level window, which FindWindow finds; a message-only one it would not.
    handle_->window = ::CreateWindowExW(0, MAKEINTATOM(windowClass), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    if (handle_->window) ::SetWindowLongPtrW(handle_->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

EndRequest::~EndRequest() {
    if (handle_->window) ::DestroyWindow(handle_->window);
}

// Qt leaves undone the close that Windows asks of a window that a modal dialog blocks, a chooser's or
// an error box's; its own close it does. The dialogs' and menus' event loops end with the program's.
void EndRequest::end() {
    if (window_) runLater(window_, [window = window_] { window->close(); });
}

}  // namespace sorvanto
