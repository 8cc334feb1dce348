// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/great_circle.h"

#include <cmath>
#include <limits>

#include "calc/portable_math.h"

namespace zelva {

namespace {

// Half a degree in radians as the window reckons it: 3.14159265 (the double)
// over 360, exactly. Every argument below is half an angle.
constexpr DoubleDouble kHalfDegree{0x1.1df46a1fae712p-7, -0x1.c71c71c71c71cp-62};
// With 3.14159265 for pi, 90 degrees fall short of a quarter turn by this,
// (pi - 3.14159265) / 2: cosines near the pole and near 180 degrees apart are
// taken as sines of that shortfall plus a small angle, not from a cancellation.
constexpr DoubleDouble kQuarterTurnShortfall{0x1.ed609d1a62633p-30, 0x1.45c06e0e68948p-86};
constexpr double kEarthDiameterKm = 2.0 * 6371.0;

// Any angle into [-180, 180] degrees; fmod and the one subtraction are exact.
double wrap180(double degrees)
{
    if (std::fabs(degrees) <= 180.0)
        return degrees;
    degrees = std::fmod(degrees, 360.0);
    return degrees > 180.0 ? degrees - 360.0 : degrees < -180.0 ? degrees + 360.0 : degrees;
}

// The radian argument, within pi/4 + 2e-9 of 0, for half of x degrees,
// 0 <= x <= 180. Past 90 degrees it is the complement, whose sine is the
// cosine asked for and the other way round.
struct HalfAngle {
    DoubleDouble radians;
    bool complement = false;
};

HalfAngle halfAngle(DoubleDouble x)
{
    const bool complement = x.hi > 90.0;
    if (complement)
        x = {180.0 - x.hi, -x.lo};  // exact by Sterbenz
    const DoubleDouble p = twoProduct(x.hi, kHalfDegree.hi);
    const double tail = p.lo + (x.hi * kHalfDegree.lo + x.lo * kHalfDegree.hi);
    if (!complement)
        return {{p.hi, tail}, false};
    const DoubleDouble s = twoSum(kQuarterTurnShortfall.hi, p.hi);
    return {{s.hi, s.lo + (kQuarterTurnShortfall.lo + tail)}, true};
}

double sinHalf(DoubleDouble x)
{
    const HalfAngle a = halfAngle(x);
    return a.complement ? portableCos(a.radians.hi, a.radians.lo)
                        : portableSin(a.radians.hi, a.radians.lo);
}

double cosHalf(DoubleDouble x)
{
    const HalfAngle a = halfAngle(x);
    return a.complement ? portableSin(a.radians.hi, a.radians.lo)
                        : portableCos(a.radians.hi, a.radians.lo);
}

// |x|, without a branch: the sign of a difference is anybody's guess.
DoubleDouble absolute(DoubleDouble x)
{
    return {std::fabs(x.hi), std::copysign(1.0, x.hi) * x.lo};
}

} // namespace

double greatCircleKm(double lat1, double lon1, double lat2, double lon2) noexcept
{
    if (!std::isfinite(lat1) || !std::isfinite(lon1) || !std::isfinite(lat2)
        || !std::isfinite(lon2))
        return std::numeric_limits<double>::quiet_NaN();
    // Past a pole the latitude comes back down on the opposite meridian.
    double phi1 = wrap180(lat1);
    double phi2 = wrap180(lat2);
    const bool over1 = std::fabs(phi1) > 90.0;
    const bool over2 = std::fabs(phi2) > 90.0;
    if (over1)
        phi1 = std::copysign(180.0, phi1) - phi1;  // exact by Sterbenz
    if (over2)
        phi2 = std::copysign(180.0, phi2) - phi2;

    // The differences and the sum are kept exact as double-doubles, so that a
    // leg of a millimetre keeps all its digits; the longitude difference goes
    // into [-180, 180] by whole turns in degrees, all exact.
    DoubleDouble dLon = twoSum(wrap180(lon2), -wrap180(lon1));
    if (over1 != over2) {
        const DoubleDouble s = twoSum(dLon.hi, dLon.hi > 0.0 ? -180.0 : 180.0);
        dLon = twoSum(s.hi, s.lo + dLon.lo);
    }
    dLon = absolute(dLon);
    // Past 180 degrees, 360 less: as often as not, so by a factor of 0 or 1
    // rather than a branch; every step is exact.
    const double past =
        static_cast<double>(dLon.hi > 180.0 || (dLon.hi == 180.0 && dLon.lo > 0.0));
    dLon = {dLon.hi + past * (360.0 - 2.0 * dLon.hi), dLon.lo - past * (2.0 * dLon.lo)};
    const DoubleDouble dLat = absolute(twoSum(phi2, -phi1));

    // arc = sin^2 of half the arc, the haversine: a sum of squares in which
    // nothing cancels. rest = cos^2 of it is 1 - arc, with nothing to cancel
    // either, up to a quarter turn; past that it is the haversine from the
    // second point's antipode, again a sum of squares, at two more sines.
    // A latitude's cosine is that of half of twice it; doubling is exact.
    const double cosProduct =
        cosHalf({2.0 * std::fabs(phi1), 0.0}) * cosHalf({2.0 * std::fabs(phi2), 0.0});
    const double sinLat = sinHalf(dLat);
    const double sinLon = sinHalf(dLon);
    const double arc = sinLat * sinLat + cosProduct * (sinLon * sinLon);
    double rest = 1.0 - arc;
    if (arc > 0.5) {
        const double restLat = sinHalf(absolute(twoSum(phi1, phi2)));
        const double restLon = cosHalf(dLon);
        rest = restLat * restLat + cosProduct * (restLon * restLon);
    }
    return kEarthDiameterKm * portableAtan2(portableSqrt(arc), portableSqrt(rest));
}

} // namespace zelva
