#pragma once
// Number functions and the Double conversions every caller relies on being defined for all inputs.
#include <cstdint>

double Sin(double x);
double Ceil(double x);
template <class T>
constexpr T Min(T a, T b) {
    return b < a ? b : a;
}
template <class T>
constexpr T Max(T a, T b) {
    return a < b ? b : a;
}

constexpr uint64_t BitwiseAnd(uint64_t a, uint64_t b) {
    return a & b;
}
constexpr uint64_t BitwiseOr(uint64_t a, uint64_t b) {
    return a | b;
}
namespace Bitwise {
constexpr uint64_t ShiftLeft(uint64_t v, unsigned bits) {
    return bits >= 64 ? 0 : v << bits;
}
constexpr uint64_t ShiftRight(uint64_t v, unsigned bits) {
    return bits >= 64 ? 0 : v >> bits;
}
}  // namespace Bitwise

// Cut toward zero, then wrapped modulo 2^32 into Int32; NaN and infinities give 0.
int32_t DoubleToInt32(double v);
// NaN and negatives give 0, fractions are cut toward zero, values above 4294967295 give 4294967295.
uint32_t DoubleToUInt32(double v);
