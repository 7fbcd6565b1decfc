// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The rules by which the program reads and writes text, apart from any window.
namespace sorvanto {

// The text read as a whole number: an optional sign and decimal digits that fit in 32 bits.
std::optional<int> parseWholeNumber(const QString& text);

// The program's title: the executable's name cut before its first ".", its first character as
// it is and the rest in lower case.
QString applicationTitle(const QString& executablePath);

// An error's text as the error box shows it: with "." added when the last character sorts after ".".
QString errorBoxText(const QString& message);

// Milliseconds of a countdown of so many minutes; an overflow or a negative result is an error.
std::uint32_t intervalMilliseconds(std::int32_t minutes);

}  // namespace sorvanto
