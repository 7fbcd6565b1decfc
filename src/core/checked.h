// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace sorvanto {

// Arithmetic on the interval and on the window's size is checked: a product that does not fit
// in a signed 32-bit integer is an error, never a wrapped value.
class IntOverflow : public std::overflow_error {
public:
    IntOverflow() : std::overflow_error("Integer overflow") {}
};

class DivByZero : public std::domain_error {
public:
    DivByZero() : std::domain_error("Division by zero") {}
};

class RangeError : public std::range_error {
public:
    RangeError() : std::range_error("Range check error") {}
};

inline std::int32_t checkedMul(std::int32_t a, std::int32_t b) {
    std::int32_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) throw IntOverflow();
    return product;
}

// number × numerator ÷ denominator through a 64-bit product, rounded to the nearest whole number
// with halves away from zero. A result that does not fit in 32 bits is an overflow error, never a
// sentinel value that a caller could take for a size.
inline std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) throw DivByZero();
    const std::int64_t product = std::int64_t{number} * numerator;
    std::int64_t quotient = product / denominator;
    if (2 * std::abs(product % denominator) >= std::abs(std::int64_t{denominator}))
        quotient += (product < 0) == (denominator < 0) ? 1 : -1;
    if (quotient > INT32_MAX || quotient < INT32_MIN) throw IntOverflow();
    return static_cast<std::int32_t>(quotient);
}

}  // namespace sorvanto
