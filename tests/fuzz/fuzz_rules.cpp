// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the rules that read text a user or the system hands the program: the interval field's
// number, the interval's arithmetic and the title taken from the executable's name.
#include "core/checked.h"
#include "rules.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool holds) {
    if (!holds) __builtin_trap();
}

void intervalOf(std::int32_t minutes) {
    const std::int64_t exact = std::int64_t(minutes) * 60000;
    try {
        check(sorvanto::intervalMilliseconds(minutes) == std::uint64_t(exact));
        check(exact >= 0 && exact <= INT32_MAX);
    } catch (const sorvanto::IntOverflow&) {
        check(exact > INT32_MAX || exact < INT32_MIN || std::int64_t(minutes) * 1000 < INT32_MIN ||
              std::int64_t(minutes) * 1000 > INT32_MAX);
    } catch (const sorvanto::RangeError&) {
        check(exact < 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto number = sorvanto::parseWholeNumber(text)) {
        check(sorvanto::parseWholeNumber(QString::number(*number)) == number);
        intervalOf(*number);
    }
    const QString title = sorvanto::applicationTitle(text);
    check(!title.contains(u'.') && !title.contains(u'/'));
    return 0;
}
