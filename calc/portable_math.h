// SPDX-License-Identifier: GPL-3.0-or-later
// Sine, cosine, arc tangent and square root from +, -, *, / and the root
// instruction alone, so that every platform that rounds each double operation
// on its own (SSE2, no contraction) gets the same bits: the C libraries' own
// functions differ in the last one.
#pragma once

namespace zelva {

// hi + lo, |lo| within about an ulp of hi.
struct DoubleDouble {
    double hi = 0.0;
    double lo = 0.0;
};

// a + b exactly (Knuth).
constexpr DoubleDouble twoSum(double a, double b) noexcept
{
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a as hi + lo, each of at most 26 significant bits (Dekker), for |a| < 2^995.
constexpr DoubleDouble split(double a) noexcept
{
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// a * b exactly for |a|, |b| < 2^995 (Dekker): no fused multiply-add, whose
// presence differs between platforms.
constexpr DoubleDouble twoProduct(double a, double b) noexcept
{
    const DoubleDouble x = split(a);
    const DoubleDouble y = split(b);
    const double p = a * b;
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// sin(x + tail) and cos(x + tail) for |x| <= 0.8 and a tail within about an
// ulp of x (a double-double argument); under one ulp.
double portableSin(double x, double tail = 0.0) noexcept;
double portableCos(double x, double tail = 0.0) noexcept;

// The correctly rounded square root, which IEEE 754 prescribes, from the SSE2
// instruction where there is one: MinGW's library sqrt, which GCC calls when
// it optimises for size, takes the x87 root at extended precision and rounds
// twice, so some results differ in the last bit.
double portableSqrt(double x) noexcept;

// atan2(y, x) for finite y, x >= 0, in [0, pi/2]; 0 when both are 0.
double portableAtan2(double y, double x) noexcept;

} // namespace zelva
