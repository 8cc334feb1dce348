// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/batch/summary/track_generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "batch/fix/civil_date.h"
#include "batch/summary/local_plane.h"
#include "calc/portable_math.h"
#include "calc/great_circle.h"

namespace zelva::batch::testing {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMetresPerDegree = 6'371'000.0 * kPi / 180.0;

// std's distributions and the C libraries' functions differ between
// platforms; mt19937's numbers, arithmetic and calc's portable functions do not.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    double uniform(double low, double high)
    {
        return low + (high - low) * (static_cast<double>(engine_()) + 0.5) / 4294967296.0;
    }
    long whole(long low, long high)
    {
        return low + static_cast<long>(uniform(0.0, 1.0) * static_cast<double>(high - low + 1));
    }
    // Twelve uniforms less six: σ 1, and no tail beyond 6 σ.
    double normal(double sigma)
    {
        double sum = -6.0;
        for (int i = 0; i < 12; ++i)
            sum += uniform(0.0, 1.0);
        return sigma * sum;
    }

private:
    std::mt19937 engine_;
};

struct Direction {
    double east, north;  // sin and cos of the heading
};

Direction direction(double heading)
{
    constexpr double kQuarter = kPi / 2.0;
    double a = std::fmod(heading, 2.0 * kPi);
    if (a < 0.0)
        a += 2.0 * kPi;
    const int quarter = std::min(3, static_cast<int>(a / kQuarter));
    const double r = a - quarter * kQuarter;
    const double s = r <= 0.75 ? portableSin(r) : portableCos(kQuarter - r);
    const double c = r <= 0.75 ? portableCos(r) : portableSin(kQuarter - r);
    switch (quarter) {
    case 0: return {s, c};
    case 1: return {c, -s};
    case 2: return {-s, -c};
    default: return {-c, s};
    }
}

struct Plan {
    std::vector<double> climbs;    // alternately up and down, m
    double verticalRate;           // m/s while climbing or descending
    double movingSeconds;
    std::vector<double> stopAt;    // moving seconds before each stop
    std::vector<long> stopLength;  // s
};

Plan plan(Activity activity, Random& random)
{
    Plan p;
    const long climbs = random.whole(1, 2);
    for (long i = 0; i < climbs; ++i) {
        const double up = random.uniform(100.0, 800.0);
        p.climbs.push_back(up);
        p.climbs.push_back(-up * random.uniform(0.3, 1.0));
    }
    double vertical = 0.0;
    for (const double c : p.climbs)
        vertical += std::abs(c);
    // 45 to 90 minutes of moving, longer where the climbs need it; a fifth
    // of it on the flat, at the start and the end.
    const double fastestClimb = activity == Activity::Ride ? 0.35 : 0.2;  // m/s up or down
    p.movingSeconds = std::ceil(std::max(random.uniform(2700.0, 5400.0), vertical / fastestClimb / 0.8));
    p.verticalRate = vertical / (0.8 * p.movingSeconds);
    const long stops = activity == Activity::Ride ? random.whole(3, 6) : random.whole(2, 5);
    for (long i = 0; i < stops; ++i) {
        p.stopAt.push_back(std::round(p.movingSeconds * (static_cast<double>(i) + random.uniform(0.3, 0.7))
                                      / static_cast<double>(stops)));
        p.stopLength.push_back(random.whole(30, 600));
    }
    return p;
}

// The true elevation after so many moving seconds: flat, then the climbs and
// descents one after the other at the plan's rate, then flat.
double trueElevation(const Plan& p, double moving, double base)
{
    double t = moving - 0.1 * p.movingSeconds;
    double elevation = base;
    for (const double c : p.climbs) {
        if (t <= 0.0)
            break;
        const double duration = std::abs(c) / p.verticalRate;
        elevation += c * std::min(1.0, t / duration);
        t -= duration;
    }
    return elevation;
}

// The rider's speed over one moving stretch: from rest to speeds each held
// 30 s or more, changing at 0.5 m/s², braking to rest at 1.5 m/s² by its end.
class RideSpeed {
public:
    RideSpeed(Random& random, long length) : random_(random), length_(length) { pick(); }
    double next(long second)
    {
        const long left = length_ - second;
        if (speed_ / kBrake >= static_cast<double>(left) - 1.0) {
            speed_ = std::max(0.0, std::min(speed_, kBrake * static_cast<double>(left - 1)));
            return speed_;
        }
        const double step = speed_ < 0.5 ? kStart : kChange;
        if (std::abs(target_ - speed_) <= step) {
            speed_ = target_;
            if (--hold_ <= 0)
                pick();
        } else {
            speed_ += target_ > speed_ ? step : -step;
        }
        return speed_;
    }

private:
    static constexpr double kStart = 1.0, kChange = 0.5, kBrake = 1.5;
    void pick()
    {
        target_ = random_.uniform(4.0, 12.0);
        hold_ = random_.whole(30, 240);
    }
    Random& random_;
    long length_;
    double speed_ = 0.0, target_ = 0.0;
    long hold_ = 0;
};

} // namespace

GeneratedTrack generateTrack(Activity activity, std::uint32_t seed)
{
    Random random(seed * 2 + (activity == Activity::Ride ? 0 : 1));
    const Plan p = plan(activity, random);
    GeneratedTrack track;
    track.stops = static_cast<long>(p.stopAt.size());

    // Somewhere in Italy, some evenings across midnight.
    const double latitude0 = random.uniform(38.0, 46.0), longitude0 = random.uniform(7.0, 15.0);
    const double eastScale = kMetresPerDegree * cosine(latitude0 * kPi / 180.0);
    std::int64_t date = *dayNumber(2026, 6, static_cast<int>(1 + seed % 28));
    long clock = seed % 4 == 0 ? 23 * 3600 + random.whole(0, 3000) : random.whole(6 * 3600, 12 * 3600);
    const double base = random.uniform(0.0, 1500.0);

    // The true path, second by second: moving stretches between the stops.
    struct Truth {
        double east, north, elevation;
        bool stopped;
    };
    std::vector<Truth> truth;
    double east = 0.0, north = 0.0, heading = random.uniform(0.0, 2.0 * kPi), turn = 0.0;
    double moving = 0.0;
    long turnLeft = 0;
    const double walkSpeed = 1.2;
    std::size_t nextStop = 0;
    truth.push_back({east, north, trueElevation(p, 0.0, base), false});
    while (moving < p.movingSeconds) {
        const double stretchEnd = nextStop < p.stopAt.size() ? p.stopAt[nextStop] : p.movingSeconds;
        const long length = static_cast<long>(stretchEnd - moving);
        RideSpeed ride(random, length);
        double speed = 0.0;
        for (long s = 0; s < length; ++s) {
            const double before = speed;
            speed = activity == Activity::Ride ? ride.next(s) : (s + 1 < length ? walkSpeed : 0.0);
            if (turnLeft-- <= 0) {
                // Bends a rider takes at under 2 m/s² across, a walker's wander.
                const double most = activity == Activity::Ride ? 2.0 / 12.0 : 0.05;
                turn = random.uniform(-most, most) * random.uniform(0.0, 1.0);
                turnLeft = random.whole(20, 60);
            }
            heading += turn;
            const double metres = (before + speed) / 2.0;
            const Direction d = direction(heading);
            east += metres * d.east;
            north += metres * d.north;
            moving += 1.0;
            truth.push_back({east, north, trueElevation(p, moving, base), false});
        }
        if (nextStop < p.stopAt.size()) {
            for (long s = 0; s < p.stopLength[nextStop]; ++s)
                truth.push_back({east, north, truth.back().elevation, true});
            ++nextStop;
        }
    }

    // What the receiver makes of it.
    double driftEast = 0.0, driftNorth = 0.0;
    long nextSpike = random.whole(60, 600);
    for (std::size_t i = 0; i < truth.size(); ++i) {
        const Truth& t = truth[i];
        double e = t.east, n = t.north;
        if (t.stopped) {
            e += random.normal(3.0);
            n += random.normal(3.0);
        } else {
            const Direction step = direction(random.uniform(0.0, 2.0 * kPi));
            driftEast += 0.3 * step.east;
            driftNorth += 0.3 * step.north;
            const double drift = length({driftEast, driftNorth});
            if (drift > 5.0) {
                driftEast *= 5.0 / drift;
                driftNorth *= 5.0 / drift;
            }
            e += driftEast;
            n += driftNorth;
        }
        double elevation = t.elevation + random.normal(3.0);
        if (static_cast<long>(i) == nextSpike && i + 10 < truth.size()) {
            const Direction jump = direction(random.uniform(0.0, 2.0 * kPi));
            const double away = random.uniform(100.0, 300.0);
            e += away * jump.east;
            n += away * jump.north;
            elevation += random.uniform(-80.0, 80.0);
            ++track.spikes;
            nextSpike += random.whole(60, 900);
        }
        Fix fix;
        fix.line = static_cast<long>(i) + 1;
        fix.latitude = latitude0 + n / kMetresPerDegree;
        fix.longitude = longitude0 + e / eastScale;
        fix.clock = Clock{clock * kNanosecondsPerSecond, date};
        fix.elevation = elevation;
        track.fixes.push_back(fix);
        if (++clock == 86400) {
            clock = 0;
            ++date;
        }
    }

    // The truth's figures, as the summary defines them, from the true path.
    const auto trueKm = [&](std::size_t a, std::size_t b) {
        return greatCircleKm(latitude0 + truth[a].north / kMetresPerDegree, longitude0 + truth[a].east / eastScale,
                             latitude0 + truth[b].north / kMetresPerDegree, longitude0 + truth[b].east / eastScale);
    };
    std::vector<double> travelled(truth.size(), 0.0);
    for (std::size_t i = 1; i < truth.size(); ++i) {
        const double km = trueKm(i - 1, i);
        travelled[i] = travelled[i - 1] + km * 1000.0;
        track.distanceKm += km;
        if (km > 0.0)
            track.movingSeconds += 1.0;
        const double rise = truth[i].elevation - truth[i - 1].elevation;
        (rise > 0.0 ? track.ascentM : track.descentM) += std::abs(rise);
        if (i >= 10)
            track.topSpeedMs = std::max(track.topSpeedMs, (travelled[i] - travelled[i - 10]) / 10.0);
    }
    return track;
}

} // namespace zelva::batch::testing
