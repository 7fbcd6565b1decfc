// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

namespace sorvanto {

// A hidden top-level window of a class of its own, which hands the messages it gets to a handler: such
// a window hears what Windows tells every top-level window, and FindWindow finds it by its class; a
// message-only window would do neither.
class HiddenWindow final {
public:
    // True when the handler took the message, which then goes no further.
    using Handler = std::function<bool(unsigned message)>;

    HiddenWindow(const wchar_t* windowClass, Handler handler);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    Handler handler_;
};

}  // namespace sorvanto
