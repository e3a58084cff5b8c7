#include "framework/core/numbers.h"

#include <cmath>

double Sin(double x) {
    return std::sin(x);
}
double Ceil(double x) {
    return std::ceil(x);
}

int32_t DoubleToInt32(double v) {
    if (!std::isfinite(v)) return 0;
    // fmod of a whole double by 2^32 is exact, and so is adding 2^32 to a negative remainder.
    double m = std::fmod(std::trunc(v), 4294967296.0);
    if (m < 0) m += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(m));
}

uint32_t DoubleToUInt32(double v) {
    if (std::isnan(v) || v <= 0) return 0;
    double t = std::trunc(v);
    if (t >= 4294967295.0) return 4294967295u;
    return static_cast<uint32_t>(t);
}
