// SPDX-License-Identifier: GPL-3.0-or-later
// Metres east and north of an origin, on the plane that touches the 6371 km
// sphere there. The judging looks only at offsets of a few hundred metres,
// where this is true to far better than GPS scatter. From calc's portable
// functions, so that every platform judges a track alike. Never throws.
#pragma once

#include <numbers>

#include "calc/portable_math.h"

namespace zelva::batch {

struct Offset {
    double east = 0.0;
    double north = 0.0;
};

struct Position {
    double latitude = 0.0;
    double longitude = 0.0;
};

inline double length(const Offset& o) { return portableSqrt(o.east * o.east + o.north * o.north); }

// cos x for |x| <= pi/2.
inline double cosine(double x)
{
    const double a = x < 0.0 ? -x : x;
    return a <= 0.75 ? portableCos(a) : portableSin(std::numbers::pi / 2.0 - a);
}

class LocalPlane {
public:
    LocalPlane(double latitude, double longitude)
        : latitude_(latitude), longitude_(longitude), eastScale_(kMetresPerDegree * cosine(latitude * kRadians))
    {
    }

    Offset offset(double latitude, double longitude) const
    {
        double east = longitude - longitude_;
        // Across the antimeridian the short way round.
        if (east > 180.0)
            east -= 360.0;
        else if (east < -180.0)
            east += 360.0;
        return {east * eastScale_, (latitude - latitude_) * kMetresPerDegree};
    }

    Position position(const Offset& o) const
    {
        return {latitude_ + o.north / kMetresPerDegree, longitude_ + o.east / eastScale_};
    }

private:
    static constexpr double kRadians = std::numbers::pi / 180.0;
    static constexpr double kMetresPerDegree = 6'371'000.0 * kRadians;

    double latitude_;
    double longitude_;
    double eastScale_;
};

} // namespace zelva::batch
