// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules.h"

#include "core/checked.h"

#include <QFileInfo>
#include <limits>

namespace sorvanto {

std::optional<int> parseWholeNumber(const QString& text) {
    qsizetype i = 0;
    // Blanks before the number are skipped, as the conversion always has.
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    if (i == text.size()) return std::nullopt;
    long long magnitude = 0;
    const long long limit =
        negative ? -static_cast<long long>(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QString applicationTitle(const QString& executablePath) {
    const QString name = QFileInfo(executablePath).fileName();
    const QString stem = name.left(name.indexOf(u'.'));
    return stem.left(1) + stem.mid(1).toLower();
}

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > u'.') return message + u'.';
    return message;
}

std::uint32_t intervalMilliseconds(std::int32_t minutes) {
    const std::int32_t milliseconds = checkedMul(checkedMul(minutes, 1000), 60);
    if (milliseconds < 0) throw RangeError();
    return static_cast<std::uint32_t>(milliseconds);
}

}  // namespace sorvanto
