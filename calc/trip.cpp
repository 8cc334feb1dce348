// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/trip.h"

#include <cmath>

namespace zelva {

namespace {

// The published results were made with these constants; their last digits
// depend on them, so they stay exactly as first written.
// Pi cut to eight decimals, as a quotient of integers: with the full-precision
// pi the first worked example's distance differs at the tenth digit.
constexpr double kPi = 314159265.0 / 100000000.0;
constexpr double kEarthRadiusKm = 6371.0;

// The formulas only add, subtract, multiply, and divide by finite non-zero
// values, so an overflow anywhere inside a step leaves its result non-finite.
std::optional<double> finite(double v)
{
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

// Degrees (any value) to radians, through the program's 3.14159265; 0 on overflow.
double toRadians(double degrees)
{
    return finite((degrees * kPi) / 180.0).value_or(0.0);
}

// Cosine of the central angle between two points given in radians, by the
// spherical law of cosines. The sine or cosine of an enormous angle may not be
// available on every platform; then there is no cosine of the arc.
std::optional<double> centralCosine(double latitude1, double longitude1, double latitude2,
                                    double longitude2)
{
    const double sinLat1 = std::sin(latitude1);
    const double sinLat2 = std::sin(latitude2);
    const double cosLat1 = std::cos(latitude1);
    const double cosLat2 = std::cos(latitude2);
    const double cosLon = std::cos(std::fabs(longitude1 - longitude2));
    if (!std::isfinite(sinLat1) || !std::isfinite(sinLat2) || !std::isfinite(cosLat1)
        || !std::isfinite(cosLat2) || !std::isfinite(cosLon))
        return std::nullopt;
    return finite(sinLat1 * sinLat2 + (cosLat1 * cosLat2) * cosLon);
}

// The central angle in radians, [0, pi], of a cosine, through the arc tangent:
// its trailing digits are part of the published results, so no library acos.
// Identical fixes (cosine >= 1) divide by zero or take the root of a negative
// number and keep the arc at 0. At the antipodes the same formula would break
// down too, but the arc is plainly the half turn, and 0 km between opposite
// points would be a wrong distance.
double centralAngle(double cosine)
{
    // Full-precision pi/2, unlike the pi of the degrees: the arc tangent's
    // result is shifted by it, and the published digits were made that way.
    const double quarterTurn = 2.0 * std::atan(1.0);
    if (cosine <= -1.0)
        return 2.0 * quarterTurn;
    const double q = (-cosine) * cosine + 1.0;
    if (!(q > 0.0))
        return 0.0;
    return std::atan((-cosine) / std::sqrt(q)) + quarterTurn;
}

// (hours x 3600 + minutes x 60) + seconds, in s.
std::optional<double> secondsOfDay(const Fix& fix)
{
    return finite((fix.hours * 3600.0 + fix.minutes * 60.0) + fix.seconds);
}

} // namespace

Trip computeTrip(const Fix& first, const Fix& second) noexcept
{
    Trip trip;
    trip.timeOfDay1 = secondsOfDay(first);
    trip.timeOfDay2 = secondsOfDay(second);
    trip.interval =
        finite(std::fabs(trip.timeOfDay2.value_or(0.0) - trip.timeOfDay1.value_or(0.0))).value_or(0.0);

    const std::optional<double> cosine =
        centralCosine(toRadians(first.latitude), toRadians(first.longitude),
                      toRadians(second.latitude), toRadians(second.longitude));
    trip.distanceKm = kEarthRadiusKm * centralAngle(cosine.value_or(0.0));
    trip.distanceM = trip.distanceKm * 1000.0;
    if (trip.interval != 0.0)
        trip.speedMs = finite(trip.distanceM / trip.interval);
    // Without a speed in m/s there is none in km/h either: a distance covered in
    // no time is not 0 km/h.
    if (trip.speedMs)
        trip.speedKmh = finite(*trip.speedMs * kKmhPerMs);
    return trip;
}

} // namespace zelva
