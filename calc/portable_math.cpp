// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/portable_math.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace zelva {

namespace {

// Minimax polynomials in z = x^2, lowest power first, each fitted for relative
// error by a Remez exchange at 160 bits, its coefficients rounded to double one
// at a time and the rest fitted again, so that the rounding is fitted too.
// (sin x / x - 1) / z on |x| <= 0.8: relative error of sin under 2^-57.
constexpr double kSin[] = {-0x1.5555555555545p-3, 0x1.111111110f26dp-7, -0x1.a01a019b4e18ep-13,
                           0x1.71de34ccf0a25p-19, -0x1.ae5ddfc70c820p-26, 0x1.5d6bddd1aa7ccp-33};
// (cos x - 1 + z/2) / z^2 on |x| <= 0.8: under 2^-62.
constexpr double kCos[] = {0x1.5555555555553p-5, -0x1.6c16c16c15d07p-10, 0x1.a01a019d85f64p-16,
                           -0x1.27e4f87abdac6p-22, 0x1.1eea236bd8fb1p-29, -0x1.8fc2a9ee1c63bp-37};
// (atan u / u - 1) / z on |u| <= 1/8: under 2^-58.
constexpr double kAtan[] = {-0x1.55555555554ccp-2, 0x1.9999999945f22p-3, -0x1.2492489cd613bp-3,
                            0x1.c71ba71eba6adp-4, -0x1.7410773df389dp-4, 0x1.2cc1c63d09bf7p-4};

// atan(j/8), then pi/2 - atan(j/8), j = 0..8. The arc tangent goes on from the
// eighth below the ratio, never above it: a remainder of the opposite sign
// would cancel against the table's value and magnify the remainder's rounding.
constexpr DoubleDouble kAtanTable[] = {
    {0.0, 0.0},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
    {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54},
    {0x1.7249faa996a21p+0, 0x1.a8cc1e7480c68p-54},
    {0x1.5368c951e9cfdp+0, -0x1.96f47948a99f1p-54},
    {0x1.3647503caf55cp+0, 0x1.17e21d9a42c9ap-55},
    {0x1.1b6e192ebbe44p+0, 0x1.b1b466a88828ep-54},
    {0x1.031f57e54adbep+0, 0x1.338b4259c0270p-54},
    {0x1.dac670561bb4fp-1, 0x1.a2b7f222f65e2p-55},
    {0x1.b434ee31013fdp-1, -0x1.0520d0701d877p-55},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};

// c0 + c1 z + ... + c5 z^5 by Estrin's scheme: the three pairs at once, then
// two more steps, about half the latency of Horner's six.
double polynomial(const double (&c)[6], double z)
{
    const double z2 = z * z;
    return (c[0] + c[1] * z) + z2 * ((c[2] + c[3] * z) + z2 * (c[4] + c[5] * z));
}

// c * a exactly when c has at most 26 significant bits: Dekker's product
// with c its own upper half.
DoubleDouble shortProduct(double c, double a)
{
    const DoubleDouble x = split(a);
    const double p = c * a;
    return {p, (c * x.hi - p) + c * x.lo};
}

} // namespace

double portableSin(double x, double tail) noexcept
{
    const double z = x * x;
    // sin(x + t) = sin x + t cos x, and cos x to 2 % is plenty for a tail of an ulp.
    return x + (tail * (1.0 - 0.5 * z) + (x * z) * polynomial(kSin, z));
}

double portableCos(double x, double tail) noexcept
{
    // Near 0.8 the rounding of 1 - z/2 would be most of the error: it is
    // recovered exactly and goes into the small term.
    const double z = x * x;
    const double half = 0.5 * z;
    const double w = 1.0 - half;
    const double small = (z * z) * polynomial(kCos, z) - tail * (x * (1.0 - z / 6.0));
    return w + (((1.0 - w) - half) + small);
}

double portableSqrt(double x) noexcept
{
#if defined(__SSE2__) || defined(_M_X64)
    return _mm_cvtsd_f64(_mm_sqrt_sd(_mm_setzero_pd(), _mm_set_sd(x)));
#else
    return std::sqrt(x);
#endif
}

double portableAtan2(double y, double x) noexcept
{
    // Past the diagonal the angle is pi/2 less the arc tangent of x / y, so the
    // ratio stays in [0, 1]. Which of the two a distance takes is anybody's
    // guess, so the choice is made without a branch.
    const int steep = y > x;
    double num = std::min(x, y);
    double den = std::max(x, y);
    if (!(den > 0.0))
        return 0.0;
    // Only the ratio counts: keep the products below from overflowing.
    if (den > 0x1p500 || den < 0x1p-500) {
        const double scale = den > 1.0 ? 0x1p-600 : 0x1p600;
        num *= scale;
        den *= scale;
    }
    // u = tan(atan(num/den) - atan c) = (num - c den) / (den + c num) with c
    // the eighth below the ratio, from exact products; for c = 0, as on every
    // short leg, it is the ratio itself. Its roundings would count nearly in
    // full, so u is taken as lead, its upper 26 bits, whose products with the
    // halves of the divisor are exact, and rest, worked out from them.
    const double ratio = num / den;
    const int j = static_cast<int>(ratio * 8.0);
    double n = num, nLo = 0.0, dHi = den, dLo = 0.0, u = ratio;
    if (j > 0) {
        const double c = j * 0.125;
        const DoubleDouble cDen = shortProduct(c, den);
        const DoubleDouble cNum = shortProduct(c, num);
        const DoubleDouble d = twoSum(den, cNum.hi);
        n = num - cDen.hi;  // exact by Sterbenz
        nLo = -cDen.lo;
        dHi = d.hi;
        dLo = d.lo + cNum.lo;
        u = n / dHi;
    }
    const DoubleDouble dHalves = split(dHi);
    const double lead = split(u).hi;
    const double rest = (((n - lead * dHalves.hi) - lead * dHalves.lo) + (nLo - u * dLo)) / dHi;
    const double z = u * u;
    const double sign = 1.0 - 2.0 * steep;
    const DoubleDouble base = kAtanTable[j + 9 * steep];
    const double small = (base.lo + sign * rest) + (sign * u * z) * polynomial(kAtan, z);
    return base.hi + (sign * lead + small);
}

} // namespace zelva
