#pragma once

#include <cstdint>
#include <stdexcept>

namespace sorvanto {

// Arithmetic on the interval and on the window's size is checked: a product that does not fit
// in a signed 32-bit integer is an error, never a wrapped value.
class IntOverflow : public std::overflow_error {
public:
    IntOverflow() : std::overflow_error("Integer overflow") {}
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

}  // namespace sorvanto
