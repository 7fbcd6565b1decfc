// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QObject>
#include <utility>

namespace sorvanto {

// Runs call once the event loop is back, as a posted message would, unless context is gone by then.
template <class Call>
void runLater(QObject* context, Call call) {
    // clang-tidy's analyzer (LLVM 14) takes the call that Qt queues here, and deletes once it has run,
    // for a leak inside Qt's header, where no NOLINT reaches: the analyzer is not shown the call.
#ifdef __clang_analyzer__
    static_cast<void>(context);
    static_cast<void>(call);
#else
    QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
#endif
}

}  // namespace sorvanto
